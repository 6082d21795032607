#pragma once
// Where sections, keys and values lie in the settings content. Positions count bytes from 0.
// Every search steps over whole characters, so no match starts inside a double-byte character.
#include <optional>
#include <string_view>

struct SectionPlace {
    size_t header;   // the "[" of the header line
    size_t closing;  // its "]"
};

struct KeyPlace {
    size_t key;         // the key's first byte
    size_t valueBegin;  // the byte after "="
    size_t valueEnd;    // the CR of the line end, or the content's end
};

// The first "[" name "]" that starts the content or follows CR LF.
std::optional<SectionPlace> locateSection(std::string_view content, std::string_view section);

// The first CR LF key "=" after the section's header, unless a header line lies before it.
std::optional<KeyPlace> locateKey(std::string_view content, const SectionPlace& section,
                                  std::string_view key);

// Whether a whole line "[...]" followed by CR LF starts after from and closes before to.
bool findHeaderBetween(std::string_view content, size_t from, size_t to);
