#pragma once

// The version of quorix and quorixctl: the project version of the top-level CMakeLists.txt.
extern const char QuorixVersion[];
