#include "setup/SetupSequence.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace setup {

const char kInstallNT[] = "RUNDLL32.EXE syssetup.dll,SetupInfObjectInstallAction DefaultInstall.NT 132";
const char kInstallWow64[] = "RUNDLL32.EXE syssetup.dll,SetupInfObjectInstallAction DefaultInstall.WoW64 132";
const char kInstall95[] = "RUNDLL.EXE setupx.dll,InstallHinfSection DefaultInstall 132";
const char kSelectNT[] = "rundll32.exe desk.cpl,InstallScreenSaver PELOR.SCR";
const char kSelect95[] = "rundll32.exe desk.cpl,InstallScreenSaver PELORA~1.SCR";
const char kWrongPlatform[] = "This program may only be run on Windows 95 or Windows NT.";
const char kUnableToInstall[] = "Unable to install.";
const char kOffer[] = "Setup can make Pelorama your default screen saver. Continue?";
const char kNoDisplayProperties[] = "Unable to open Display properties.";
const char kLicenseFile[] = ".\\LICENSE.TXT";
const char kSaverSource[] = "PELOR.SCR";
const char kSaverNT[] = "PELOR.SCR";
const char kSaver95[] = "Pelorama Movies.scr";

namespace {
// `name` in `folder`, which must not be "".
std::string InFolder(const std::string& folder, const char* name) {
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}
}  // namespace

const char* InstallerCommand(unsigned long platformId, bool wow64) {
    if (platformId == kPlatformNT) return wow64 ? kInstallWow64 : kInstallNT;
    if (platformId == kPlatformWindows) return kInstall95;
    return nullptr;
}

const char* SelectionCommand(unsigned long platformId) {
    if (platformId == kPlatformNT) return kSelectNT;
    if (platformId == kPlatformWindows) return kSelect95;
    return nullptr;
}

std::string ProgramPath(unsigned long platformId, const std::string& systemFolder,
                        const std::string& windowsFolder, const char* command) {
    const std::string& folder = platformId == kPlatformNT ? systemFolder : windowsFolder;
    if (folder.empty()) return std::string();
    const std::string name(command, std::strcspn(command, " "));
    return InFolder(folder, name.c_str());
}

std::string InstalledSaverPath(unsigned long platformId, const std::string& systemFolder) {
    if (systemFolder.empty()) return std::string();
    return InFolder(systemFolder, platformId == kPlatformNT ? kSaverNT : kSaver95);
}

bool BuildInstallerLine(const char* command, const char* folder, const char* infName, char* line,
                        std::size_t size) {
    if (size == 0) return false;
    const int length = std::snprintf(line, size, "%s %s\\%s", command, folder, infName);
    if (length < 0 || static_cast<std::size_t>(length) >= size) {
        line[0] = '\0';
        return false;
    }
    return true;
}

int RunSetup(SetupSystem& system) {
    const std::string caption = system.LoadText(IDS_CAPTION, kCaptionBuffer);

    unsigned long platform = 0;
    if (!system.Platform(&platform)) {
        system.Message(system.LoadText(IDS_NO_VERSION, kNoVersionBuffer), caption, kIconExclamation);
        return 0;
    }

    const std::string infName = system.LoadText(IDS_INF_NAME, kInfNameBuffer);
    const std::string question = system.LoadText(IDS_QUESTION, kQuestionBuffer);
    const std::string complete = system.LoadText(IDS_COMPLETE, kCompleteBuffer);
    char folder[kFolderBuffer] = {};
    // A folder too long for its buffer is refused when the line is built.
    const bool haveFolder = system.CurrentFolder(folder, sizeof folder);

    if (system.Message(question, caption, kYesNoQuestion) != kYes) return 0;
    if (system.Agreement() != kYes) return 0;

    const char* installer = InstallerCommand(platform, platform == kPlatformNT && system.Wow64());
    if (installer == nullptr) {
        system.Message(kWrongPlatform, caption, kIconExclamation);
        return 0;
    }
    const std::string systemFolder = system.SystemFolder();
    const std::string windowsFolder = system.WindowsFolder();

    char line[kLineBuffer] = {};
    const std::string engine = ProgramPath(platform, systemFolder, windowsFolder, installer);
    if (!haveFolder || engine.empty() || !BuildInstallerLine(installer, folder, infName.c_str(), line, sizeof line) ||
        !system.RunProgram(engine, line, true)) {
        system.Message(kUnableToInstall, caption, kIconExclamation);
        return 0;
    }

    // The engine's own result says nothing (rundll32 ends with 0 whatever
    // it did): a user without the rights on NT, or one who cancelled the
    // engine's own dialog, is only seen in the saver not being in place.
    if (!system.SameFile(InstalledSaverPath(platform, systemFolder), InFolder(folder, kSaverSource))) {
        system.Message(system.LoadText(IDS_NOT_INSTALLED, kCompleteBuffer), caption, kIconExclamation);
        return 0;
    }
    system.Message(complete, caption, kIconInformation);
    if (system.Message(kOffer, caption, kYesNoQuestion) != kYes) return 0;
    const char* selection = SelectionCommand(platform);
    const std::string rundll32 = ProgramPath(platform, systemFolder, windowsFolder, selection);
    if (rundll32.empty() || !system.RunProgram(rundll32, selection, false)) {
        system.Message(kNoDisplayProperties, caption, kIconExclamation);
    }
    return 0;
}

}  // namespace setup
