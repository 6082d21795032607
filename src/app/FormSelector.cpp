#include "app/FormSelector.h"

#include "forms/FormLibraryStore.h"
#include "platform/TextCodec.h"
#include "settings/SettingsStore.h"

const std::string& openDesignerItemText() {
    return GBK("打开表单设计器..");
}

void fillFormSelector(DropDownList& selector, const FormLibrary& library, int index, bool select) {
    selector.clear();
    for (const FormSpec& form : library) selector.addItem(form.name);
    selector.addItem(openDesignerItemText());
    if (!select) return;
    selector.setSelectedIndex(index >= 0 && index < selector.count() ? index : -1);
}

bool formSelectorChosen(DropDownList& selector, SettingsStore& settings, int chosen) {
    if (chosen == selector.count() - 1) return true;
    settings.selectSection(formLibrarySection());
    settings.writeNumber(formIndexKey(), chosen);
    return false;
}
