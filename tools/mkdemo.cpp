// quorix_mkdemo DIR: writes a demo Wine prefix (DIR/wineprefix) holding a suite installation
// with its factory files, and a demo device tree (DIR/device), so Quorix can be tried without
// a Tavion. Existing demo files are replaced.

#include "ImageFile.h"

#include "core/FactoryValues.h"
#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

namespace fs = std::filesystem;

namespace {

void writeText(const fs::path &path, const std::string &text)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

// The demo's factory files: the factory settings with four alarm times and sounds filled in.
WeeklyRecord demoFactoryWeekly()
{
    WeeklyRecord r = factoryWeeklyRecord();
    const char *sounds[] = {"MORNING", "CHIME", "MARCH", "LULLABY"};
    for (int n = 0; n < WeeklyRecord::AlarmCount; ++n) {
        r.setHour(n, static_cast<std::int16_t>(7 + n));
        r.setSoundName(n, sounds[n]);
    }
    return r;
}

// A note-list melody: tempo (one length unit is tempo/64 s) and (note, length byte) records.
// The length byte's low nibble is the length in units, its high nibble the sounded quarters.
struct Melody
{
    const char *name;
    std::uint8_t tempo;
    std::vector<std::pair<std::uint8_t, std::uint8_t>> notes;
};

// Note numbers: 26 is C4, 30 E4, 33 G4, 35 A4 (440 Hz), 38 C5.
const Melody kMelodies[] = {
    // A rising wake-up call: short detached notes, a held top note, a rest, again higher.
    {"MORNING",
     8,
     {{26, 0x32},
      {30, 0x32},
      {33, 0x32},
      {38, 0x48},
      {0, 0x04},
      {30, 0x32},
      {33, 0x32},
      {38, 0x32},
      {42, 0x4C}}},
    // Four bell strokes that ring for half their length.
    {"CHIME",
     16,
     {{42, 0x24},
      {38, 0x24},
      {40, 0x24},
      {33, 0x28},
      {0, 0x02},
      {33, 0x24},
      {40, 0x24},
      {42, 0x24},
      {38, 0x28}}},
    // Dotted marching rhythm, quick tempo, sharp attacks.
    {"MARCH",
     5,
     {{33, 0x33},
      {33, 0x11},
      {38, 0x34},
      {33, 0x34},
      {38, 0x33},
      {42, 0x11},
      {45, 0x48},
      {0, 0x04},
      {45, 0x33},
      {42, 0x11},
      {38, 0x34},
      {33, 0x34},
      {38, 0x48}}},
    // A slow cradle song, every note sounded to its end.
    {"LULLABY",
     20,
     {{30, 0x42},
      {33, 0x41},
      {30, 0x42},
      {28, 0x41},
      {26, 0x44},
      {0, 0x02},
      {28, 0x42},
      {30, 0x41},
      {28, 0x42},
      {23, 0x41},
      {26, 0x46}}},
    // One long test tone of A4.
    {"BEEP", 32, {{35, 0x41}}},
};

void writeMelody(const fs::path &path, const Melody &melody)
{
    std::string bytes = {7, 0, static_cast<char>(melody.tempo), 0};
    for (const auto &[note, length] : melody.notes) {
        bytes += static_cast<char>(note);
        bytes += static_cast<char>(length);
    }
    bytes += "\xFF\xFF";
    writeText(path, bytes);
}

// The demo device holds settings a user has already changed, so opening it shows a difference.
void writeDevice(const fs::path &root)
{
    SystemRecord sys = factorySystemRecord();
    sys.set(SystemField::StandbyMode, 2);
    sys.set(SystemField::PowerOnHour, 6);
    sys.set(SystemField::PowerOnMinute, 30);
    sys.set(SystemField::PowerOffHour, 22);
    sys.set(SystemField::PowerOffMinute, 15);
    sys.set(SystemField::KeyChirp, 1);
    sys.set(SystemField::ClockFormat, 1);
    sys.set(SystemField::Contrast, 18);
    sys.setUserName("Demo Owner");
    for (std::size_t i = 112; i < SystemRecord::Size; ++i) // device data the editor never shows
        sys.bytes[i] = static_cast<std::uint8_t>(i * 7);
    writeImage(root / "system" / "system.ini", sys);

    WeeklyRecord weekly = demoFactoryWeekly();
    weekly.setRepeatIndex(0, 2);
    weekly.setWeekdayMask(0, 1 | 2 | 4 | 8 | 16); // Monday to Friday
    weekly.setRepeat(0, weekly.weekdayMask(0));
    weekly.setHour(0, 6);
    weekly.setMinute(0, 45);
    weekly.setRepeatIndex(1, 1);
    weekly.setRepeat(1, WeeklyRecord::RepeatDaily);
    weekly.setHour(1, 12);
    weekly.setHourlyChime(1);
    writeImage(root / "system" / "weekly.ini", weekly);

    for (const Melody &melody : kMelodies)
        writeMelody(root / "system" / "sound" / (std::string(melody.name) + ".snd"), melody);
}

void writePrefix(const fs::path &prefix)
{
    writeText(prefix / "user.reg",
              "WINE REGISTRY Version 2\n"
              ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
              "#arch=win64\n\n"
              "[Software\\\\KVQ\\\\Veltrix-e\\\\PC] 1764950400\n"
              "#time=1db5e0a7c0e4a00\n"
              "\"InstallDir\"=\"C:\\\\Program Files\\\\KVQ\\\\Veltrix-e\\\\\"\n"
              "\"Version\"=dword:00000204\n\n"
              "[Software\\\\Wine\\\\Explorer] 1764950400\n"
              "\"Desktop\"=\"Default\"\n");
    const fs::path drive = prefix / "drive_c";
    const fs::path suite = drive / "Program Files" / "KVQ" / "Veltrix-e";
    writeImage(suite / "razevo" / "system.cif", factorySystemRecord());
    writeImage(suite / "razevo" / "weekly.cif", demoFactoryWeekly());
    writeText(suite / "vxapps" / "check.exf", "Quorix demo check file\n");
    fs::create_directories(suite / "userdata" / "ini");

    const fs::path dosdevices = prefix / "dosdevices";
    fs::create_directories(dosdevices);
    fs::remove(dosdevices / "c:");
    fs::create_directory_symlink("../drive_c", dosdevices / "c:");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::cerr << "usage: quorix_mkdemo DIR\n";
        return 2;
    }
    try {
        const fs::path dir = argv[1];
        writePrefix(dir / "wineprefix");
        writeDevice(dir / "device");
    } catch (const std::exception &e) {
        std::cerr << "quorix_mkdemo: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
