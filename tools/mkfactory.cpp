// quorix_mkfactory DIR: writes the factory settings Quorix ships, DIR/system.cif and
// DIR/weekly.cif, from the factory table. Quorix resets to them when the device maker's suite
// is not installed.

#include "ImageFile.h"

#include "core/FactoryValues.h"

#include <iostream>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::cerr << "usage: quorix_mkfactory DIR\n";
        return 2;
    }
    try {
        const std::filesystem::path dir = argv[1];
        writeImage(dir / "system.cif", factorySystemRecord());
        writeImage(dir / "weekly.cif", factoryWeeklyRecord());
    } catch (const std::exception &e) {
        std::cerr << "quorix_mkfactory: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
