#include "forms/FormLibraryStore.h"

#include <algorithm>

#include "forms/FieldText.h"
#include "platform/TextCodec.h"
#include "settings/SettingsStore.h"

const std::string& formLibrarySection() {
    return GBK("表单库");
}

const std::string& formCountKey() {
    return GBK("数量");
}

const std::string& formIndexKey() {
    return GBK("索引");
}

std::string formNameKey(int number) {
    return std::to_string(number) + GBK("_名称");
}

std::string formFieldsKey(int number) {
    return std::to_string(number) + GBK("_字段");
}

namespace {

// A damaged count must not make start-up read millions of missing keys; no designed library
// comes near this.
constexpr double kMaxStoredForms = 10000;

// Every read and write yields to the window, whose handlers may select another section: the
// library's section is selected again before each one.
std::string readLibraryText(SettingsStore& settings, const std::string& key) {
    settings.selectSection(formLibrarySection());
    return settings.readText(key);
}

void writeLibraryText(SettingsStore& settings, const std::string& key, const std::string& text) {
    settings.selectSection(formLibrarySection());
    settings.writeText(key, text);
}

void writeLibraryNumber(SettingsStore& settings, const std::string& key, double value) {
    settings.selectSection(formLibrarySection());
    settings.writeNumber(key, value);
}

int storedFormCount(SettingsStore& settings) {
    settings.selectSection(formLibrarySection());
    double count = settings.readNumber(formCountKey(), 0);
    if (!(count >= 1)) return 0;  // also NaN
    return static_cast<int>(std::min(count, kMaxStoredForms));
}

}  // namespace

void loadLibrary(FormLibrary& library, SettingsStore& settings) {
    // Built apart and put in place at the end: handlers that run during the reads see the library
    // whole, and one that loads it meanwhile is not added to.
    FormLibrary loaded;
    int count = storedFormCount(settings);
    for (int n = 1; n <= count; ++n) {
        FormSpec form;
        form.name = readLibraryText(settings, formNameKey(n));
        form.fields = parseFormFieldText(readLibraryText(settings, formFieldsKey(n)));
        loaded.push_back(std::move(form));
    }
    library = std::move(loaded);
}

void saveLibrary(const FormLibrary& library, SettingsStore& settings, int selectedIndex) {
    writeLibraryNumber(settings, formCountKey(), static_cast<double>(library.size()));
    for (size_t i = 0; i < library.size(); ++i) {
        int n = static_cast<int>(i) + 1;
        writeLibraryText(settings, formNameKey(n), library[i].name);
        writeLibraryText(settings, formFieldsKey(n), formatFieldText(library[i].fields));
    }
    writeLibraryNumber(settings, formIndexKey(), selectedIndex);
}

void seedSampleForm(FormLibrary& library, SettingsStore& settings) {
    writeLibraryNumber(settings, formCountKey(), 1);
    writeLibraryText(settings, formNameKey(1), GBK("示例表单"));
    writeLibraryText(settings, formFieldsKey(1), sampleFieldText());
    loadLibrary(library, settings);
}
