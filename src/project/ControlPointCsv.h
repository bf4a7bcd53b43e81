// A variable's control points exchanged with other tools as a small CSV file,
// "resources/<key>.csv": one line per point, the beat, a comma, then the value
// of a number variable or the text of a text variable, unquoted (commas after
// the first belong to the text), each line ended by a line feed. Numbers are
// written as "%f" writes them in the C locale and read the same in any locale.
#pragma once

#include "project/ControlPointList.h"

#include <string>
#include <string_view>
#include <vector>

// Longest fields a file may hold: a number, a text.
constexpr size_t maxCsvNumberBytes = 29;
constexpr size_t maxCsvTextBytes = 999;
// Longest path a key may make.
constexpr size_t maxCsvPathBytes = 99;

// The file of the variable `key`, or why the key cannot name one: a file is
// only ever read or written inside "resources/".
struct CsvFile {
    std::string path;    // "resources/<key>.csv"; empty when refused
    std::string refusal; // why not, for the status line
};
CsvFile csvFileOf(std::string_view key);

// The file's bytes for `points`: "beat,value" or "beat,text" lines.
std::string writeControlPointCsv(const std::vector<ControlPoint>& points, bool asText);

// The points a file holds, or why it cannot be taken. Carriage returns are
// ignored; a line without a comma or whose beat field holds something other
// than a number (a header) and bytes after the last line feed are skipped; an
// empty beat field is beat 0; a value reads as much of its field as makes a
// number, 0 when none.
struct CsvPoints {
    std::vector<ControlPoint> points;
    std::string refusal; // "" when the points are good
};
CsvPoints readControlPointCsv(std::string_view bytes, bool asText);
