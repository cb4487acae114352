// quorix_fieldnames system|weekly [--raw]: prints the field names of one record that quorixctl
// set changes without --raw (with --raw: those only --raw changes), one a line, in file order.
// The build turns them into the shell completion of quorixctl set and device set, so the
// completion always offers exactly the names the records have.

#include "core/RecordLayout.h"
#include "core/ValueRules.h"

#include <iostream>
#include <string_view>

int main(int argc, char *argv[])
{
    const std::string_view kind = argc >= 2 ? argv[1] : "";
    const bool raw = argc == 3 && std::string_view(argv[2]) == "--raw";
    if ((kind != "system" && kind != "weekly") || argc > 3 || (argc == 3 && !raw)) {
        std::cerr << "usage: quorix_fieldnames system|weekly [--raw]\n";
        return 2;
    }
    for (const FieldLayout &field : kind == "system" ? systemLayout() : weeklyLayout()) {
        if ((findRule(field.name) == nullptr) == raw)
            std::cout << field.name << '\n';
    }
    return std::cout.flush() ? 0 : 1;
}
