#include "saver/playback/QuickTimeBinding.h"

#include <cstring>

namespace {
// Appends `name` to `path` when it fits in kQtPathSize with its terminator.
bool Append(char* path, const char* name) {
    const std::size_t have = std::strlen(path);
    const std::size_t add = std::strlen(name);
    if (have + add + 1 > kQtPathSize) return false;
    std::memcpy(path + have, name, add + 1);
    return true;
}
}  // namespace

intptr_t QuickTimeBinding::Placeholder(uint32_t, const intptr_t*) { return kQtErrNotStarted; }

ModuleLoader::ModuleId QuickTimeBinding::Locate() {
    char path[kQtPathSize];
    // A copy already in the process is taken again, whatever comes of it.
    if (loader_.LoadedModulePath(kQtLibraryName, path, sizeof path)) return loader_.Load(path);

    if (loader_.ProgramPath(path, sizeof path)) {
        path[sizeof path - 1] = '\0';
        char* cut = nullptr;
        for (char* c = path; *c != '\0'; ++c) {
            if (*c == '\\' || *c == '/') cut = c;
        }
        if (cut != nullptr) {
            cut[1] = '\0';
            if (Append(path, kQtLibraryName)) {
                if (ModuleLoader::ModuleId m = loader_.Load(path)) return m;
            }
        }
    }

    if (!loader_.SystemDirectory(path, sizeof path)) return nullptr;
    path[sizeof path - 1] = '\0';
    if (!Append(path, "\\") || !Append(path, kQtLibraryName)) return nullptr;
    return loader_.Load(path);
}

bool QuickTimeBinding::IsOurs(ModuleLoader::ModuleId library) {
    const auto* marker = static_cast<const QtLibraryMarker*>(loader_.Resolve(library, kQtMarkerName));
    return marker != nullptr &&
           std::memcmp(marker->text, kQtLibraryMarker.text, sizeof kQtLibraryMarker.text) == 0 &&
           marker->version >= kQtLibraryMarker.version;
}

void QuickTimeBinding::Unbind() {
    componentStorageEntry_ = reinterpret_cast<void*>(&Placeholder);
    componentEntry_ = reinterpret_cast<void*>(&Placeholder);
    dispatcher_ = &Placeholder;
}

int16_t QuickTimeBinding::Start(int32_t flags) {
    if (refCount_ > 0) {
        ++refCount_;
        return 0;
    }
    int16_t error = 0;
    library_ = Locate();
    if (library_ == nullptr) {
        error = kQtErrNoLibrary;
    } else if (!IsOurs(library_)) {
        error = kQtErrNoEntry;
    } else {
        componentStorageEntry_ = loader_.Resolve(library_, kQtStorageEntryName);
        componentEntry_ = componentStorageEntry_ ? loader_.Resolve(library_, kQtComponentEntryName) : nullptr;
        void* dispatcher = componentEntry_ ? loader_.Resolve(library_, kQtDispatcherName) : nullptr;
        if (dispatcher == nullptr) {
            error = kQtErrNoEntry;
        } else {
            dispatcher_ = reinterpret_cast<QtDispatcher>(dispatcher);
            error = static_cast<int16_t>(InitializeLibrary(flags));
        }
    }
    if (error == 0) {
        ++refCount_;
        return 0;
    }
    if (library_ != nullptr) loader_.Unload(library_);
    library_ = nullptr;
    Unbind();
    return error;
}

void QuickTimeBinding::Stop() {
    // A Stop with nothing started has nothing to undo.
    if (refCount_ <= 0) return;
    if (--refCount_ > 0) return;
    TerminateLibrary();
    Unbind();
    if (library_ != nullptr) loader_.Unload(library_);
    library_ = nullptr;
}

intptr_t QuickTimeBinding::ControllerIsPlayerEvent(intptr_t controller, const void* event) {
    QtComponentParams block;
    block.size = sizeof(intptr_t);
    block.what = 7;
    block.params[0] = P(event);
    return CallComponent(controller, &block);
}

intptr_t QuickTimeBinding::ControllerDoAction(intptr_t controller, int16_t action, intptr_t parameter) {
    QtComponentParams block;
    block.size = 2 * sizeof(intptr_t);
    block.what = 9;
    block.params[0] = static_cast<intptr_t>(action);
    block.params[1] = parameter;
    return CallComponent(controller, &block);
}
