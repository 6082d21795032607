#pragma once
// The settings file: sections of key=value lines, GBK, CR LF, held whole in memory. Every change
// reaches the disk when it is carried out, as the whole content written beside the file and
// renamed over it, so the file on disk is always a complete old or new state.
#include <deque>
#include <string>
#include <string_view>

#include "platform/FileLock.h"
#include "platform/UiYield.h"

class Dialogs;

class SettingsStore {
  public:
    // Results of a write or rename request.
    enum Result : int {
        Done = 0,
        NoSuchSection = 1,
        NoSuchKey = 2,
        Queued = 3,
        Failed = -1,
    };

    explicit SettingsStore(UiYield yieldToUi = {}, Dialogs* dialogs = nullptr);
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;
    ~SettingsStore() { close(); }

    void setYieldToUi(UiYield yieldToUi) { yieldToUi_ = std::move(yieldToUi); }
    void setDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }

    // Reads the file (a missing or unreadable one gives empty content), then takes the lock beside
    // it and makes sure the file can be written, creating it empty when missing. False when the
    // lock or write access cannot be had: the store then works on its content alone.
    bool open(std::string_view path);
    void close();
    const std::string& path() const { return path_; }
    const std::string& content() const { return content_; }

    void selectSection(std::string_view name) { currentSection_ = name; }
    const std::string& currentSection() const { return currentSection_; }

    // Typed reads and writes on the selected section. A missing section or key and an empty
    // value read as the default. Writes return true when carried out now, false when queued
    // (another change is under way) or failed.
    std::string readText(std::string_view key, std::string_view defaultValue = {});
    bool writeText(std::string_view key, std::string_view value);
    double readNumber(std::string_view key, double defaultValue = 0);
    bool writeNumber(std::string_view key, double value);
    bool readBool(std::string_view key, bool defaultValue = false);
    bool writeBool(std::string_view key, bool value);

    // Gives a key of the named section a new name; Done, NoSuchSection, NoSuchKey or Queued.
    int renameKey(std::string_view section, std::string_view oldKey, std::string_view newKey);

    // True while a change is being carried out; changes requested meanwhile wait in order.
    bool busy() const { return busy_; }
    size_t pendingCount() const { return pending_.size(); }

    // The raw value text (escaped line breaks stay escaped).
    std::string readValue(std::string_view section, std::string_view key,
                          std::string_view defaultValue, bool useDefaultWhenEmpty);

  private:
    struct PendingChange {
        enum Kind { Write, Rename } kind;
        std::string section;
        std::string key;
        std::string text;  // the value to write, or the new key name
    };

    std::string readSelected(std::string_view key, std::string_view defaultValue);
    int request(PendingChange change);
    int flushPending();
    int writeValue(const std::string& section, const std::string& key, const std::string& value);
    int renameKeyNow(const std::string& section, const std::string& oldKey,
                     const std::string& newKey);
    int persist();
    void reportAppendFailure();
    void yield();

    std::string content_;
    std::string path_;
    std::string currentSection_;
    bool writable_ = false;
    bool warnedAboutDisk_ = false;
    bool busy_ = false;
    std::deque<PendingChange> pending_;
    FileLock lock_;
    UiYield yieldToUi_;
    Dialogs* dialogs_;
};
