#pragma once
// The form library in the settings, section "表单库": "数量" forms, each under "n_名称" and
// "n_字段" (n from 1), and "索引", the form last selected.
#include <string>

#include "forms/FieldModel.h"

class SettingsStore;

// Replaces library with the stored forms. A count above the stored forms gives forms with empty
// names and no fields; safe to call repeatedly.
void loadLibrary(FormLibrary& library, SettingsStore& settings);

// Writes every form of library and the selected index.
void saveLibrary(const FormLibrary& library, SettingsStore& settings, int selectedIndex);

// Writes the sample form as form 1 of a library of one, then loads the library again.
void seedSampleForm(FormLibrary& library, SettingsStore& settings);

// Section and keys, shared with the form selector and the designer.
const std::string& formLibrarySection();
const std::string& formCountKey();
const std::string& formIndexKey();
std::string formNameKey(int number);
std::string formFieldsKey(int number);
