// The text of a settings file, one application's values:
//
//   [Config]
//   Size=20
//   Offset=-5
//
// A line "[name]" opens a section; inside a section a line "name=value"
// holds a value, its name being everything before the first '=' (so names
// may contain spaces). Section and value names compare without regard to
// ASCII case, as the registry's keys and values do. Every other line, and
// every line before the first section, is kept as it is and ignored. A
// carriage return ending a line is ignored, so files edited on Windows
// still read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Names that the format can hold: not empty and without line breaks;
// value names without '=' either.
bool IsStorableSectionName(const std::string& section);
bool IsStorableValueName(const std::string& name);

// The text of the value's first occurrence in any section of that name.
std::optional<std::string> FindProfileValue(const std::string& text, const std::string& section,
                                            const std::string& name);

// The text with the value's first occurrence set to value; without one, the
// value is added at the end of the section's first occurrence, and without
// that a new section is appended. Every other line is kept unchanged. The
// names must be storable.
std::string SetProfileValue(const std::string& text, const std::string& section, const std::string& name,
                            const std::string& value);

// A signed 32-bit decimal integer: an optional '-' and at least one digit,
// nothing else. nullopt for anything else, including values out of range.
std::optional<std::int32_t> ParseProfileInt(const std::string& text);
