#include "lists/ListStore.h"

#include <fcntl.h>
#include <stdio.h>

#include <cerrno>
#include <filesystem>

#include "forms/FieldText.h"
#include "lists/RecordValueText.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "settings/SettingsStore.h"

namespace fs = std::filesystem;

namespace {

const std::string& definitionSection() {
    return GBK("使用表单库");
}

// The column of a field: the link-like types are texts of fixed lengths.
ColumnDefinition columnOf(const FieldSpec& field) {
    switch (field.type) {
        case FieldType::FreeDateTime:
            return {field.name, ColumnType::Text, 30};
        case FieldType::Link:
            return {field.name, ColumnType::Text, 512};
        case FieldType::FtpLink:
            return {field.name, ColumnType::Text, 80};
        case FieldType::QqLink:
            return {field.name, ColumnType::Text, 55};
        case FieldType::Ping:
            return {field.name, ColumnType::Text, 20};
        default:
            return {field.name, field.type, field.length};
    }
}

// Renames without replacing an existing file.
bool renameWithoutReplacing(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // The file system cannot refuse by itself.
    std::error_code ec;
    if (fs::exists(to, ec) || ec) return false;
    return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

bool isSafeListName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

bool isNewListName(const std::string& name) {
    // The name is a settings key: beside a list "a", a list "a=b" would read as "a" with a value
    // starting "b=", and the two definitions would overwrite each other.
    return isSafeListName(name) && name.find('=') == std::string::npos;
}

ListStore::ListStore(std::string runDirectory, RecordTable& tables, SettingsStore& settings,
                     Dialogs& dialogs, CurrentList& current)
    : runDirectory_(std::move(runDirectory)),
      tables_(tables),
      settings_(settings),
      dialogs_(dialogs),
      current_(current) {}

std::string ListStore::dataFolder() const {
    return runDirectory_ + "/" + GBK("程序数据");
}

std::string ListStore::listTablePath(const std::string& name) const {
    return dataFolder() + "/" + name + ".edb";
}

std::string ListStore::companionPath(const std::string& name) const {
    return dataFolder() + "/" + name + ".edt";
}

std::optional<std::string> ListStore::createList(const FormSpec& form) {
    std::vector<ListField> fields;
    std::vector<ColumnDefinition> columns;
    for (const FieldSpec& field : form.fields) {
        ListField copy;
        static_cast<FieldSpec&>(copy) = field;
        copy.width = 0;
        fields.push_back(copy);
        columns.push_back(columnOf(field));
    }
    std::error_code ec;
    fs::create_directories(diskPath(dataFolder()), ec);
    std::string name = form.name;
    for (int counter = 1; isNewListName(name) && fs::exists(diskPath(listTablePath(name)), ec);
         ++counter)
        name = form.name + std::to_string(counter);
    if (!isNewListName(name) || !tables_.create(listTablePath(name), columns)) {
        dialogs_.showMessage(GBK("新建列表失败，请检查当前选择的表单是否存在错误，比如没有字段，"
                                 "或字段名重复，或字段名存在非法字符！"),
                             {}, MessageIcon::Exclamation);
        return std::nullopt;
    }
    current_.fields = std::move(fields);
    current_.name = name;
    return name;
}

bool ListStore::openList(const std::string& name) {
    if (!isSafeListName(name)) return false;
    std::string path = listTablePath(name);
    if (tables_.isOpen(path)) return tables_.setCurrent(name);
    return tables_.open(path, name);
}

void ListStore::closeList(const std::string& name) {
    tables_.close(name);
}

bool ListStore::renameListFiles(const std::string& oldName, const std::string& newName) {
    if (!isSafeListName(oldName) || !isNewListName(newName)) return false;
    closeList(oldName);
    std::string from = listTablePath(oldName), to = listTablePath(newName);
    if (!renameWithoutReplacing(diskPath(from), diskPath(to))) return false;
    // A stray companion at the new name belongs to no table: the list's own one replaces it.
    std::error_code ignored;
    fs::rename(diskPath(companionPath(oldName)), diskPath(companionPath(newName)), ignored);
    return true;
}

void ListStore::deleteListFiles(const std::string& name) {
    if (!isSafeListName(name)) return;
    std::string path = listTablePath(name);
    if (tables_.isOpen(path)) closeList(name);
    std::error_code ignored;
    fs::remove(diskPath(path), ignored);
    fs::remove(diskPath(companionPath(name)), ignored);
}

void ListStore::loadListDefinition(const std::string& name) {
    settings_.selectSection(definitionSection());
    current_.fields = parseFieldText(settings_.readText(name, ""), 6);
    current_.name = name;
}

void ListStore::renameListDefinition(const std::string& oldName, const std::string& newName) {
    settings_.selectSection(definitionSection());
    std::string definition = settings_.readText(oldName, "");
    settings_.renameKey(definitionSection(), oldName, newName);
    // A key of the new name left by a deleted list may stand first in the section and be the one
    // read: it must say the same.
    settings_.selectSection(definitionSection());
    settings_.writeText(newName, definition);
}

void ListStore::saveListState(bool includeTree) {
    // Without an open list there is no definition to keep.
    if (!current_.name.empty()) {
        settings_.selectSection(definitionSection());
        settings_.writeText(current_.name, formatFieldText(current_.fields, true));
    }
    if (includeTree && saveTree_) saveTree_();
}

bool ListStore::readField(int fieldNumber, std::string& text) {
    if (!tables_.read(fieldNumber, scratch_)) return false;
    recordValueText(scratch_, text);
    return true;
}

int32_t ListStore::displayType(int fieldNumber) const {
    // A column without a definition shows its text form.
    bool defined = fieldNumber >= 1 && fieldNumber <= static_cast<int>(current_.fields.size());
    return defined ? current_.fields[fieldNumber - 1].type : FieldType::Text;
}

std::string_view ListStore::fieldDisplayView(int fieldNumber, std::string& scratch) {
    // Text columns are shown through their type's display rules, other columns as their text form.
    std::string_view stored;
    if (tables_.readTextView(fieldNumber, stored))
        return displayView(displayType(fieldNumber), stored, scratch);
    if (!readField(fieldNumber, scratch)) scratch.clear();
    return scratch;
}

bool ListStore::recordDisplayViews(std::vector<std::string_view>& views,
                                   std::vector<std::string>& scratch) {
    if (!tables_.readTextViews(views)) return false;
    if (scratch.size() < views.size()) scratch.resize(views.size());
    for (size_t i = 0; i < views.size(); ++i) {
        int fieldNumber = static_cast<int>(i) + 1;
        if (views[i].data()) {
            views[i] = displayView(displayType(fieldNumber), views[i], scratch[i]);
            continue;
        }
        if (!readField(fieldNumber, scratch[i])) scratch[i].clear();
        views[i] = scratch[i];
    }
    return true;
}

std::string ListStore::fieldDisplayText(int fieldNumber) {
    std::string scratch;
    return std::string(fieldDisplayView(fieldNumber, scratch));
}

std::string ListStore::fieldValueText(int fieldNumber) {
    std::string text;
    readField(fieldNumber, text);
    return text;
}
