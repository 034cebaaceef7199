// The worked cleaning examples, byte for byte, shared by the test of the
// portable engine and the test of the system component.
#pragma once

#include <string>

namespace tavimo::testing {

struct CleanCase {
    std::string in, out;
};

inline const CleanCase kCleanCases[] = {
    {"\r\nA\r\n\r\n\r\nB\r\n", "A\r\nB"},
    {"A\r\n  \r\n\t\r\nB", "A\r\nB"},
    {"A\r\n\r\n  B", "A\r\n  B"},
    {"A  \r\n\r\nB", "A  \r\nB"},
    {"\r\n\r\nA", "\r\nA"},
    {"A\r\n\r\n", "A\r\n"},
    {"\r\n", ""},
    {"\r\n\r\n", ""},
    {"\r\n\r\n\r\n", "\r\n"},
    {"A\n\nB", "A\n\nB"},
    {"A\n\rB", "AB"},
    {"", ""},
    // Edges: one byte, LF CR at the start, two-byte characters at the cut.
    {"A", "A"},
    {"\n\rA", "A"},
    {"\r\nA\r\n", "A"},
    {"\r\n\xD6\xD0\r\n", "\xD6\xD0"},
    {"\xD6\xD0\r\n\xB0\xA1", "\xD6\xD0\r\n\xB0\xA1"},
    // Ideographic spaces (A1 A1) on a blank line count as white space.
    {"A\r\n\xA1\xA1\r\nB", "A\r\nB"},
    {"\xD6\xD0\r\n \r\n\r\n\xD6\xD0\r\n", "\xD6\xD0\r\n\xD6\xD0"},
};

}  // namespace tavimo::testing
