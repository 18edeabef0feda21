#include "framework/Win32.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "saver/shell/SaverApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SaverApp app;
    std::vector<std::string> words;
    for (int i = 1; i < __argc; ++i) words.emplace_back(__argv[i]);
    app.SetArguments(std::move(words));
    return RunApplication(app);
}
