#pragma once
#include <cstddef>
#include <string>

#include "setup/SetupSystem.h"

// The setup program's texts, resource ids, buffer sizes and system numbers.
namespace setup {

constexpr int IDS_CAPTION = 1;
constexpr int IDS_NO_VERSION = 2;
constexpr int IDS_INF_NAME = 3;
constexpr int IDS_QUESTION = 4;
constexpr int IDS_COMPLETE = 5;
constexpr int IDS_NOT_INSTALLED = 6;

constexpr std::size_t kCaptionBuffer = 30;
constexpr std::size_t kNoVersionBuffer = 128;
constexpr std::size_t kInfNameBuffer = 64;
constexpr std::size_t kQuestionBuffer = 256;
constexpr std::size_t kCompleteBuffer = 256;
// The current folder (at most 255 characters) and the full installer line.
constexpr std::size_t kFolderBuffer = 256;
constexpr std::size_t kLineBuffer = 256;

constexpr unsigned kIconExclamation = 48;   // MB_ICONEXCLAMATION
constexpr unsigned kYesNoQuestion = 36;     // MB_YESNO | MB_ICONQUESTION
constexpr unsigned kIconInformation = 64;   // MB_ICONINFORMATION
constexpr int kYes = 6;                     // IDYES
constexpr int kNo = 7;                      // IDNO
constexpr unsigned long kPlatformWindows = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr unsigned long kPlatformNT = 2;       // VER_PLATFORM_WIN32_NT

extern const char kInstallNT[];
extern const char kInstallWow64[];
extern const char kInstall95[];
extern const char kSelectNT[];
extern const char kSelect95[];
extern const char kWrongPlatform[];
extern const char kUnableToInstall[];
extern const char kOffer[];
extern const char kNoDisplayProperties[];
extern const char kLicenseFile[];
extern const char kSaverSource[];
extern const char kSaverNT[];
extern const char kSaver95[];

// The installer and selection commands of a platform; nullptr for a
// platform that is neither Windows NT nor Windows 95/98. A 32-bit setup on
// 64-bit Windows installs through the 32-bit INF engine, whose section
// registers an uninstall command that names that same engine.
const char* InstallerCommand(unsigned long platformId, bool wow64 = false);
const char* SelectionCommand(unsigned long platformId);

// The full path of the program a command starts (its first word): the
// system's own copy, never one found through the search path, which
// starts in the setup's folder. On Windows NT it is in the system folder,
// on Windows 95/98 in the Windows folder. "" when the folder is "".
std::string ProgramPath(unsigned long platformId, const std::string& systemFolder,
                        const std::string& windowsFolder, const char* command);

// Where the INF puts the saver: the system folder, under PELOR.SCR on
// Windows NT and under its long name on Windows 95/98. "" when the folder is "".
std::string InstalledSaverPath(unsigned long platformId, const std::string& systemFolder);

// "%s %s\%s" of command, folder and INF name into `line` (`size` bytes).
// False, with `line` holding "", when the whole line does not fit: a cut
// line would hand the installer the wrong file.
bool BuildInstallerLine(const char* command, const char* folder, const char* infName, char* line,
                        std::size_t size);

// The main sequence, top to bottom. The program's exit code, always 0.
int RunSetup(SetupSystem& system);

}  // namespace setup
