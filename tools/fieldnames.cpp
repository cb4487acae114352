// quorix_fieldnames system|weekly: prints the field names of one record, one a line, in file
// order. The build turns them into the shell completion of quorixctl set and device set, so the
// completion always offers exactly the names the records have.

#include "core/RecordLayout.h"

#include <iostream>
#include <string_view>

int main(int argc, char *argv[])
{
    const std::string_view kind = argc == 2 ? argv[1] : "";
    if (kind != "system" && kind != "weekly") {
        std::cerr << "usage: quorix_fieldnames system|weekly\n";
        return 2;
    }
    for (const FieldLayout &field : kind == "system" ? systemLayout() : weeklyLayout())
        std::cout << field.name << '\n';
    return std::cout.flush() ? 0 : 1;
}
