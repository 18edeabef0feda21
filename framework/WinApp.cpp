#include "framework/WinApp.h"

#include "core/ProgramName.h"

#include "framework/RegistryProfile.h"
#include "framework/Wnd.h"

namespace {
CWinApp* theApp = nullptr;
}

std::string LongBaseName(const std::string& path) {
    // FindFirstFileA lists the file under its long name even when `path`
    // gives the short one; Windows 95 has no GetLongPathNameA.
    WIN32_FIND_DATAA found;
    std::string longName;
    HANDLE find = FindFirstFileA(path.c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        longName = found.cFileName;
        FindClose(find);
    }
    return ProgramBaseName(path, longName);
}

std::string ModuleBaseName(HMODULE module) {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    return LongBaseName(std::string(path, length < MAX_PATH ? length : MAX_PATH));
}

CWinApp::CWinApp(const char* appName)
    : instance_(GetModuleHandleA(nullptr)),
      appName_(appName != nullptr ? appName : ModuleBaseName(nullptr)) {
    theApp = this;
}

CWinApp::~CWinApp() {
    if (ctl3d_) {
        using Unregister = BOOL(WINAPI*)(HINSTANCE);
        auto unregister = reinterpret_cast<Unregister>(
            reinterpret_cast<void*>(GetProcAddress(ctl3d_.get(), "Ctl3dUnregister")));
        if (unregister != nullptr) unregister(instance_);
    }
    if (theApp == this) theApp = nullptr;
}

CWinApp* CWinApp::Get() { return theApp; }

int CWinApp::ShutDown() { return 0; }

int CWinApp::Run() {
    MSG msg;
    while (m_pMainWnd != nullptr) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) return got == 0 ? static_cast<int>(msg.wParam) : 0;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

void CWinApp::SetRegistryKey(const std::string& company) {
    profile_ = std::make_unique<RegistryProfileStore>(company, appName_);
}

void CWinApp::SetProfile(std::unique_ptr<ProfileStore> profile) { profile_ = std::move(profile); }

ProfileStore& CWinApp::Profile() {
    // Without a registry key the profile goes under the bare application name.
    if (!profile_) profile_ = std::make_unique<RegistryProfileStore>("", appName_);
    return *profile_;
}

uint32_t CWinApp::GetProfileInt(const char* section, const char* entry, uint32_t def) {
    return Profile().GetProfileInt(section, entry, def);
}

std::string CWinApp::GetProfileString(const char* section, const char* entry, const char* def) {
    return Profile().GetProfileString(section, entry, def);
}

bool CWinApp::WriteProfileInt(const char* section, const char* entry, uint32_t value) {
    return Profile().WriteProfileInt(section, entry, value);
}

bool CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) {
    return Profile().WriteProfileString(section, entry, value);
}

std::string CWinApp::LoadString(UINT id) const {
    char text[1024];
    const int length = ::LoadStringA(instance_, id, text, sizeof text);
    return length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string();
}

int CWinApp::MessageBox(const std::string& text, UINT type) const {
    HWND owner = m_pMainWnd != nullptr ? m_pMainWnd->GetSafeHwnd() : nullptr;
    return ::MessageBoxA(owner, text.c_str(), appName_.c_str(), type);
}

void CWinApp::Enable3dControls() {
    if (ctl3d_) return;
    Module library(LoadLibraryA("CTL3D32.DLL"));
    if (!library) return;
    using Register = BOOL(WINAPI*)(HINSTANCE);
    auto registerApp = reinterpret_cast<Register>(
        reinterpret_cast<void*>(GetProcAddress(library.get(), "Ctl3dRegister")));
    auto autoSubclass = reinterpret_cast<Register>(
        reinterpret_cast<void*>(GetProcAddress(library.get(), "Ctl3dAutoSubclass")));
    if (registerApp == nullptr || autoSubclass == nullptr || !registerApp(instance_)) return;
    autoSubclass(instance_);
    ctl3d_ = std::move(library);
}

int RunApplication(CWinApp& app) {
    if (app.StartUp()) app.Run();
    return app.ShutDown();
}
