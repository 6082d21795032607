#include "settings/SettingsStore.h"

#include <optional>

#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/GbkText.h"
#include "platform/LogicalText.h"
#include "platform/NumberText.h"
#include "platform/TextCodec.h"
#include "settings/SettingsLookup.h"

namespace {

// A line break inside a value is stored as "┊*┊".
const std::string kLineBreakMark = "\xA9\xAE*\xA9\xAE";

// A section that is still missing after this many appends within one write means the store
// cannot find what it writes: it gives up instead of growing the file forever.
constexpr int kMaxSectionAppends = 11;

std::string escapeLineBreaks(std::string_view text) {
    return replaceText(text, "\r\n", kLineBreakMark);
}

std::string unescapeLineBreaks(std::string_view text) {
    return replaceText(text, kLineBreakMark, "\r\n");
}

const std::string& warningTitle() {
    return GBK("澄溪：");
}

const std::string& saveTroubleText() {
    return GBK("配置模块出现意外，可能导致无法正常保存！详情请咨询澄溪。");
}

}  // namespace

SettingsStore::SettingsStore(UiYield yieldToUi, Dialogs* dialogs)
    : yieldToUi_(std::move(yieldToUi)), dialogs_(dialogs) {}

bool SettingsStore::open(std::string_view path) {
    close();
    path_ = path;
    // The lock comes before the read: a process that held it until now may just have written.
    writable_ = lock_.acquire(hiddenSiblingPath(path_, ".lock")) && ensureWritableFile(path_);
    if (!writable_) lock_.release();
    readWholeFile(path_, content_);
    return writable_;
}

void SettingsStore::close() {
    lock_.release();
    writable_ = false;
    content_.clear();
}

std::string SettingsStore::readSelected(std::string_view key, std::string_view defaultValue) {
    // A copy: the yield inside readValue may run a handler that selects another section.
    const std::string section = currentSection_;
    return readValue(section, key, defaultValue, true);
}

std::string SettingsStore::readValue(std::string_view section, std::string_view key,
                                     std::string_view defaultValue, bool useDefaultWhenEmpty) {
    yield();
    auto sectionPlace = locateSection(content_, section);
    if (!sectionPlace) return std::string(defaultValue);
    auto keyPlace = locateKey(content_, *sectionPlace, key);
    if (!keyPlace) return std::string(defaultValue);
    std::string_view value(content_.data() + keyPlace->valueBegin,
                           keyPlace->valueEnd - keyPlace->valueBegin);
    if (value.empty() && useDefaultWhenEmpty) return std::string(defaultValue);
    return std::string(value);
}

std::string SettingsStore::readText(std::string_view key, std::string_view defaultValue) {
    return unescapeLineBreaks(readSelected(key, escapeLineBreaks(defaultValue)));
}

bool SettingsStore::writeText(std::string_view key, std::string_view value) {
    return request({PendingChange::Write, currentSection_, std::string(key),
                    escapeLineBreaks(value)}) == Done;
}

double SettingsStore::readNumber(std::string_view key, double defaultValue) {
    return numberValue(readSelected(key, numberText(defaultValue)));
}

bool SettingsStore::writeNumber(std::string_view key, double value) {
    return request({PendingChange::Write, currentSection_, std::string(key), numberText(value)}) ==
           Done;
}

bool SettingsStore::readBool(std::string_view key, bool defaultValue) {
    return isTrueText(readSelected(key, logicalText(defaultValue)));
}

bool SettingsStore::writeBool(std::string_view key, bool value) {
    return request({PendingChange::Write, currentSection_, std::string(key), logicalText(value)}) ==
           Done;
}

int SettingsStore::renameKey(std::string_view section, std::string_view oldKey,
                             std::string_view newKey) {
    return request(
        {PendingChange::Rename, std::string(section), std::string(oldKey), std::string(newKey)});
}

int SettingsStore::request(PendingChange change) {
    pending_.push_back(std::move(change));
    if (busy_) return Queued;
    return flushPending();
}

int SettingsStore::flushPending() {
    std::optional<int> first;
    while (!pending_.empty()) {
        busy_ = true;
        // A copy: handlers that run during the change's yields append to pending_.
        PendingChange change = pending_.front();
        int result = change.kind == PendingChange::Write
                         ? writeValue(change.section, change.key, change.text)
                         : renameKeyNow(change.section, change.key, change.text);
        pending_.pop_front();
        busy_ = false;
        if (!first) first = result;
    }
    return first.value_or(Done);
}

int SettingsStore::writeValue(const std::string& section, const std::string& key,
                              const std::string& value) {
    int appends = 0;
    for (;;) {
        yield();
        auto sectionPlace = locateSection(content_, section);
        if (!sectionPlace) {
            if (!content_.empty()) content_ += "\r\n";
            content_ += "[" + section + "]";
            if (++appends == kMaxSectionAppends) {
                persist();
                reportAppendFailure();
                return Failed;
            }
            continue;
        }
        auto keyPlace = locateKey(content_, *sectionPlace, key);
        if (!keyPlace) {
            content_.insert(sectionPlace->closing + 1, "\r\n" + key + "=");
            continue;
        }
        content_.replace(keyPlace->valueBegin, keyPlace->valueEnd - keyPlace->valueBegin, value);
        return persist();
    }
}

int SettingsStore::renameKeyNow(const std::string& section, const std::string& oldKey,
                                const std::string& newKey) {
    yield();
    auto sectionPlace = locateSection(content_, section);
    if (!sectionPlace) return NoSuchSection;
    auto keyPlace = locateKey(content_, *sectionPlace, oldKey);
    if (!keyPlace) return NoSuchKey;
    // The key was found as its whole bytes before "=", so a key that holds "=" itself (a list
    // named "a=b") is renamed whole.
    content_.replace(keyPlace->key, oldKey.size(), newKey);
    return persist();
}

int SettingsStore::persist() {
    if (!writable_) return Done;  // working on content alone, as when the file is read-only
    if (replaceFileAtomically(path_, content_)) {
        warnedAboutDisk_ = false;
        return Done;
    }
    // The change stays in content and reaches the disk with the next write that succeeds. One
    // warning per run of failures, not one per write.
    if (!warnedAboutDisk_ && dialogs_) {
        dialogs_->showMessage(saveTroubleText(), warningTitle(), MessageIcon::Warning);
    }
    warnedAboutDisk_ = true;
    return Failed;
}

void SettingsStore::reportAppendFailure() {
    if (!dialogs_) return;
    dialogs_->showMessage(saveTroubleText(), warningTitle(), MessageIcon::Warning);
    dialogs_->showMessage(content_, warningTitle(), MessageIcon::Warning);
}

void SettingsStore::yield() {
    if (!yieldToUi_) return;
    // Handlers that run now select the sections they use; the interrupted caller, which may go on
    // with more reads and writes of its own section, keeps its selection.
    std::string selected = currentSection_;
    yieldToUi_();
    currentSection_ = std::move(selected);
}
