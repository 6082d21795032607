#include "settings/ControlStates.h"

#include <algorithm>
#include <filesystem>

#include "platform/Files.h"
#include "platform/GbkText.h"
#include "platform/NumberText.h"
#include "platform/TextCodec.h"
#include "settings/SettingsStore.h"

namespace {

const std::string& doNotSaveTag() {
    return GBK("禁止保存");
}
const std::string& byteModeTag() {
    return GBK("字节集方式");
}

// Reads and writes one section, with the side files of that section.
class SectionAccess {
  public:
    explicit SectionAccess(SettingsStore& store) : store_(store) {}

    std::string readText(const std::string& key, const std::string& current) {
        return store_.readText(key, current);
    }
    void writeText(const std::string& key, const std::string& value) {
        store_.writeText(key, value);
    }
    std::string readBlob(const std::string& key, const std::string& current) {
        return readSideFile(store_.path(), store_.currentSection(), key, current);
    }
    void writeBlob(const std::string& key, const std::string& value) {
        writeSideFile(store_.path(), store_.currentSection(), key, value);
    }
    // Text or side file, as the tag asks.
    std::string readValue(const std::string& key, const std::string& current, bool byteMode) {
        return byteMode ? readBlob(key, current) : readText(key, current);
    }
    void writeValue(const std::string& key, const std::string& value, bool byteMode) {
        byteMode ? writeBlob(key, value) : writeText(key, value);
    }
    SettingsStore& store() { return store_; }

  private:
    SettingsStore& store_;
};

std::vector<int> indexesWhere(const StatefulControl& c, const UiYield& yield,
                              bool (StatefulControl::*test)(int) const) {
    std::vector<int> found;
    for (int i = 0; i < c.itemCount(); ++i) {
        if (yield) yield();
        if ((c.*test)(i)) found.push_back(i);
    }
    return found;
}

void save(SectionAccess& s, const StatefulControl& c, ControlKind kind,
          const ControlStateOptions& options, const UiYield& yield) {
    const std::string name = c.name();
    const bool byteMode = c.tag() == byteModeTag();
    SettingsStore& store = s.store();
    switch (kind) {
        case ControlKind::Button:
            s.writeValue(name + GBK(".标记"), c.tag(), byteMode);
            break;
        case ControlKind::EditBox:
            s.writeValue(name, c.text(), byteMode);
            break;
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            store.writeBool(name, c.checked());
            break;
        case ControlKind::ComboBox:
            store.writeNumber(name, c.currentIndex());
            if (options.withItemLists) s.writeBlob(name + GBK(".列表"), c.itemBytes());
            if (options.withContents) s.writeText(name + GBK(".内容"), c.text());
            break;
        case ControlKind::ListBox:
            s.writeBlob(name, c.itemBytes());
            s.writeText(name + GBK(".选中"),
                        formatIndexList(indexesWhere(c, yield, &StatefulControl::itemSelected)));
            break;
        case ControlKind::CheckListBox:
            s.writeBlob(name, c.itemBytes());
            store.writeNumber(name + GBK(".选中"), c.currentIndex());
            s.writeText(name + GBK(".打勾"),
                        formatIndexList(indexesWhere(c, yield, &StatefulControl::itemChecked)));
            break;
        case ControlKind::ColourPicker:
            store.writeNumber(name, static_cast<double>(c.colour()));
            break;
        case ControlKind::None:
            break;
    }
}

void restore(SectionAccess& s, StatefulControl& c, ControlKind kind,
             const ControlStateOptions& options, const UiYield& yield) {
    const std::string name = c.name();
    const bool byteMode = c.tag() == byteModeTag();
    SettingsStore& store = s.store();
    switch (kind) {
        case ControlKind::Button:
            c.setTag(s.readValue(name + GBK(".标记"), c.tag(), byteMode));
            break;
        case ControlKind::EditBox:
            c.setText(s.readValue(name, c.text(), byteMode));
            break;
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            c.setChecked(store.readBool(name, c.checked()));
            break;
        case ControlKind::ComboBox:
            c.setCurrentIndex(saturatedInteger<int>(store.readNumber(name, c.currentIndex())));
            if (options.withItemLists)
                c.setItemBytes(s.readBlob(name + GBK(".列表"), c.itemBytes()));
            if (options.withContents) c.setText(s.readText(name + GBK(".内容"), c.text()));
            break;
        case ControlKind::ListBox: {
            const std::string noted =
                formatIndexList(indexesWhere(c, yield, &StatefulControl::itemSelected));
            c.setItemBytes(s.readBlob(name, c.itemBytes()));
            for (int i : parseIndexList(s.readText(name + GBK(".选中"), noted))) c.selectItem(i);
            break;
        }
        case ControlKind::CheckListBox: {
            const std::string noted =
                formatIndexList(indexesWhere(c, yield, &StatefulControl::itemChecked));
            c.setItemBytes(s.readBlob(name, c.itemBytes()));
            c.setCurrentIndex(
                saturatedInteger<int>(store.readNumber(name + GBK(".选中"), c.currentIndex())));
            for (int i : parseIndexList(s.readText(name + GBK(".打勾"), noted))) c.checkItem(i);
            break;
        }
        case ControlKind::ColourPicker:
            c.setColour(
                saturatedInteger<int64_t>(store.readNumber(name, static_cast<double>(c.colour()))));
            break;
        case ControlKind::None:
            break;
    }
}

}  // namespace

ControlKind controlKindOf(std::string_view name) {
    struct Prefix {
        const std::string& word;
        ControlKind kind;
    };
    const Prefix prefixes[] = {
        {GBK("按钮"), ControlKind::Button},
        {GBK("编辑框"), ControlKind::EditBox},
        {GBK("选择框"), ControlKind::CheckBox},
        {GBK("单选框"), ControlKind::RadioButton},
        {GBK("组合框"), ControlKind::ComboBox},
        {GBK("列表框"), ControlKind::ListBox},
        {GBK("选择列表框"), ControlKind::CheckListBox},
        {GBK("颜色选择器"), ControlKind::ColourPicker},
    };
    for (const Prefix& p : prefixes) {
        if (name.starts_with(p.word)) return p.kind;
    }
    return ControlKind::None;
}

void syncControlStates(SettingsStore& store, const std::vector<StatefulControl*>& controls,
                       bool restoring, const std::string& section,
                       const ControlStateOptions& options, const UiYield& yield) {
    if (!section.empty()) store.selectSection(section);
    SectionAccess access(store);
    for (StatefulControl* c : controls) {
        if (yield) yield();
        const std::string name = c->name();
        if (name.empty()) continue;
        if (std::find(options.skipNames.begin(), options.skipNames.end(), name) !=
            options.skipNames.end())
            continue;
        const ControlKind kind = controlKindOf(name);
        if (kind == ControlKind::None || c->tag() == doNotSaveTag()) continue;
        if (restoring)
            restore(access, *c, kind, options, yield);
        else
            save(access, *c, kind, options, yield);
    }
}

std::string formatIndexList(const std::vector<int>& indexes) {
    std::string text;
    for (int i : indexes) {
        if (!text.empty()) text += ',';
        text += std::to_string(i);
    }
    return text;
}

std::vector<int> parseIndexList(std::string_view text) {
    std::vector<int> indexes;
    for (const std::string& piece : splitText(text, ",")) {
        // A piece without a leading number (an empty one included) names no item.
        size_t pos = 0;
        while (pos < piece.size() && piece[pos] == ' ') ++pos;
        if (pos == piece.size() || piece[pos] < '0' || piece[pos] > '9') continue;
        indexes.push_back(integerValue(piece));
    }
    return indexes;
}

std::string sideFilePath(std::string_view settingsPath, std::string_view section,
                         std::string_view key) {
    const size_t slash = settingsPath.rfind('/');
    const std::string_view folder =
        slash == std::string_view::npos ? std::string_view(".") : settingsPath.substr(0, slash);
    std::string path(folder);
    path += "/inibin/";
    path += section;
    path += '-';
    path += key;
    path += ".ibn";
    return path;
}

bool writeSideFile(std::string_view settingsPath, std::string_view section, std::string_view key,
                   std::string_view bytes) {
    const std::string path = sideFilePath(settingsPath, section, key);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(diskPath(path)).parent_path(),
                                        ignored);
    return replaceFileAtomically(path, bytes);
}

std::string readSideFile(std::string_view settingsPath, std::string_view section,
                         std::string_view key, const std::string& fallback) {
    std::string bytes;
    if (!readWholeFile(sideFilePath(settingsPath, section, key), bytes) || bytes.empty())
        return fallback;
    return bytes;
}
