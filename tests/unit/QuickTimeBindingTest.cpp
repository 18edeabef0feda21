#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "saver/playback/QuickTimeBinding.h"

namespace {

// The calls a fake library's dispatcher saw, and what it answers.
std::vector<uint32_t> gSelectors;
std::vector<std::vector<intptr_t>> gArgs;
intptr_t gInitResult = 0;
std::vector<QtComponentParams> gBlocks;

intptr_t FakeDispatcher(uint32_t selector, const intptr_t* args) {
    gSelectors.push_back(selector);
    std::vector<intptr_t> a;
    const int count = selector == 0x200F0 ? 6 : selector == 0x1D0001 ? 3 : selector == 0x10000 ? 2 : args ? 1 : 0;
    for (int i = 0; i < count; ++i) a.push_back(args[i]);
    gArgs.push_back(a);
    // The block lives on the caller's stack: copy it while the call lasts.
    if (selector == 0x10000) gBlocks.push_back(*reinterpret_cast<const QtComponentParams*>(args[1]));
    return selector == 0x1D0008 ? gInitResult : 0;
}
intptr_t FakeEntry(uint32_t, const intptr_t*) { return 0; }
// The marker of another library that happens to use the same export name.
const QtLibraryMarker kForeignMarker{"Some QuickTime.qts", 1};
const char kForeignMarkerEntry[] = "foreign marker";

// A module loader over a table of files that exist, with a log of loads.
class FakeLoader : public ModuleLoader {
public:
    std::map<std::string, std::vector<std::string>> files;  // path -> entry names
    std::string loadedPath, programPath = "C:\\SAVER\\PELOR.SCR", systemDir = "C:\\WINDOWS\\SYSTEM32";
    std::vector<std::string> loads;
    int unloads = 0;

    bool LoadedModulePath(const char* name, char* path, std::size_t size) override {
        if (loadedPath.empty() || std::string(name) != kQtLibraryName) return false;
        std::snprintf(path, size, "%s", loadedPath.c_str());
        return true;
    }
    bool ProgramPath(char* path, std::size_t size) override {
        if (programPath.empty()) return false;
        std::snprintf(path, size, "%s", programPath.c_str());
        return true;
    }
    bool SystemDirectory(char* path, std::size_t size) override {
        if (systemDir.empty()) return false;
        std::snprintf(path, size, "%s", systemDir.c_str());
        return true;
    }
    ModuleId Load(const char* path) override {
        loads.push_back(path);
        auto it = files.find(path);
        return it == files.end() ? nullptr : &it->second;
    }
    void Unload(ModuleId) override { ++unloads; }
    void* Resolve(ModuleId module, const char* name) override {
        const auto* entries = static_cast<std::vector<std::string>*>(module);
        for (const std::string& e : *entries) {
            if (e == kForeignMarkerEntry && std::string(name) == kQtMarkerName) {
                return const_cast<QtLibraryMarker*>(&kForeignMarker);
            }
            if (e == name && e == kQtMarkerName) return const_cast<QtLibraryMarker*>(&kQtLibraryMarker);
            if (e == name) {
                return e == kQtDispatcherName ? reinterpret_cast<void*>(&FakeDispatcher)
                                              : reinterpret_cast<void*>(&FakeEntry);
            }
        }
        return nullptr;
    }
};

const std::vector<std::string> kAllEntries = {kQtMarkerName, kQtStorageEntryName, kQtComponentEntryName,
                                             kQtDispatcherName};

class QuickTimeBindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        gSelectors.clear();
        gArgs.clear();
        gInitResult = 0;
        gBlocks.clear();
    }
    FakeLoader loader;
};

TEST_F(QuickTimeBindingTest, LocationOrderLoadedThenBesideProgramThenSystem) {
    loader.files["C:\\WINDOWS\\SYSTEM32\\QuickTime.qts"] = kAllEntries;
    QuickTimeBinding system(loader);
    ASSERT_EQ(0, system.Start(0));
    EXPECT_EQ((std::vector<std::string>{"C:\\SAVER\\QuickTime.qts", "C:\\WINDOWS\\SYSTEM32\\QuickTime.qts"}),
              loader.loads);
    system.Stop();

    loader.loads.clear();
    loader.files["C:\\SAVER\\QuickTime.qts"] = kAllEntries;
    QuickTimeBinding beside(loader);
    ASSERT_EQ(0, beside.Start(0));
    EXPECT_EQ(std::vector<std::string>{"C:\\SAVER\\QuickTime.qts"}, loader.loads);
    beside.Stop();

    // A copy already loaded is taken even when its load fails: no other place is tried.
    loader.loads.clear();
    loader.loadedPath = "D:\\ELSEWHERE\\QUICKTIME.QTS";
    QuickTimeBinding loaded(loader);
    EXPECT_EQ(kQtErrNoLibrary, loaded.Start(0));
    EXPECT_EQ(std::vector<std::string>{"D:\\ELSEWHERE\\QUICKTIME.QTS"}, loader.loads);
}

TEST_F(QuickTimeBindingTest, ProgramPathWithoutSeparatorGoesToSystemDirectory) {
    loader.programPath = "PELOR.SCR";
    QuickTimeBinding binding(loader);
    EXPECT_EQ(kQtErrNoLibrary, binding.Start(0));
    EXPECT_EQ(std::vector<std::string>{"C:\\WINDOWS\\SYSTEM32\\QuickTime.qts"}, loader.loads);
    EXPECT_FALSE(binding.Loaded());

    loader.loads.clear();
    loader.systemDir.clear();
    EXPECT_EQ(kQtErrNoLibrary, binding.Start(0));
    EXPECT_TRUE(loader.loads.empty());
    // Not started: every routine answers with the placeholder's error.
    EXPECT_EQ(kQtErrNotStarted, binding.EnterMovies());
}

TEST_F(QuickTimeBindingTest, OverlongSystemDirectoryLoadsNothing) {
    loader.programPath.clear();
    loader.systemDir = std::string(250, 'x');
    QuickTimeBinding binding(loader);
    EXPECT_EQ(kQtErrNoLibrary, binding.Start(0));
    EXPECT_TRUE(loader.loads.empty());
}

TEST_F(QuickTimeBindingTest, SecondStartOnlyCountsAndLastStopUnloads) {
    loader.files["C:\\SAVER\\QuickTime.qts"] = kAllEntries;
    QuickTimeBinding binding(loader);
    ASSERT_EQ(0, binding.Start(0));
    ASSERT_EQ(0, binding.Start(0));
    EXPECT_EQ(1u, loader.loads.size());
    EXPECT_EQ(2, binding.RefCount());
    EXPECT_EQ((std::vector<uint32_t>{0x1D0008}), gSelectors);
    binding.Stop();
    EXPECT_EQ(0, loader.unloads);
    EXPECT_EQ(0, binding.EnterMovies());
    binding.Stop();
    EXPECT_EQ(1, loader.unloads);
    EXPECT_EQ((std::vector<uint32_t>{0x1D0008, 0x20001, 0x1D0009}), gSelectors);
    EXPECT_EQ(kQtErrNotStarted, binding.EnterMovies());
    // A Stop too many changes nothing.
    binding.Stop();
    EXPECT_EQ(1, loader.unloads);
    EXPECT_EQ(0, binding.RefCount());
    // A later Start loads afresh.
    ASSERT_EQ(0, binding.Start(0));
    EXPECT_EQ(2u, loader.loads.size());
}

TEST_F(QuickTimeBindingTest, MissingEntryPointsGive2094AndUnload) {
    loader.files["C:\\SAVER\\QuickTime.qts"] = {kQtMarkerName, kQtStorageEntryName, kQtComponentEntryName};
    QuickTimeBinding binding(loader);
    EXPECT_EQ(kQtErrNoEntry, binding.Start(0));
    EXPECT_EQ(1, loader.unloads);
    EXPECT_FALSE(binding.Loaded());
    EXPECT_EQ(0, binding.RefCount());
    EXPECT_EQ(kQtErrNotStarted, binding.StartMovie(1));

    loader.files["C:\\SAVER\\QuickTime.qts"] = {kQtMarkerName, kQtComponentEntryName, kQtDispatcherName};
    EXPECT_EQ(kQtErrNoEntry, binding.Start(0));
    EXPECT_EQ(2, loader.unloads);
    EXPECT_TRUE(gSelectors.empty());
}

TEST_F(QuickTimeBindingTest, LibraryInitialisationErrorIsReturnedAndUnloads) {
    loader.files["C:\\SAVER\\QuickTime.qts"] = kAllEntries;
    gInitResult = -108;
    QuickTimeBinding binding(loader);
    EXPECT_EQ(-108, binding.Start(0));
    EXPECT_EQ(1, loader.unloads);
    EXPECT_EQ(0, binding.RefCount());
    EXPECT_EQ(kQtErrNotStarted, binding.ExitMovies());
}

TEST_F(QuickTimeBindingTest, StubsHandTheirArgumentsUnchanged) {
    loader.files["C:\\SAVER\\QuickTime.qts"] = kAllEntries;
    QuickTimeBinding binding(loader);
    ASSERT_EQ(0, binding.Start(0));
    gSelectors.clear();
    gArgs.clear();
    intptr_t movie = 0;
    binding.NewMovieFromFile(&movie, 77, 1);
    binding.CreatePortAssociation(0x1234);
    ASSERT_EQ((std::vector<uint32_t>{0x200F0, 0x1D0001}), gSelectors);
    EXPECT_EQ((std::vector<intptr_t>{reinterpret_cast<intptr_t>(&movie), 77, 0, 0, 1, 0}), gArgs[0]);
    EXPECT_EQ((std::vector<intptr_t>{0x1234, 0, 0}), gArgs[1]);
}

TEST_F(QuickTimeBindingTest, ControllerCallsBuildTheParameterBlock) {
    // Offsets of the block: flags 0, size 1, selector 2, parameters from one slot on.
    EXPECT_EQ(0u, offsetof(QtComponentParams, flags));
    EXPECT_EQ(1u, offsetof(QtComponentParams, size));
    EXPECT_EQ(2u, offsetof(QtComponentParams, what));
    EXPECT_EQ(sizeof(intptr_t), offsetof(QtComponentParams, params));

    loader.files["C:\\SAVER\\QuickTime.qts"] = kAllEntries;
    QuickTimeBinding binding(loader);
    ASSERT_EQ(0, binding.Start(0));
    int event = 0;
    binding.ControllerIsPlayerEvent(5, &event);
    binding.ControllerDoAction(5, -2, 0x12345);
    ASSERT_EQ(2u, gBlocks.size());
    EXPECT_EQ(0, gBlocks[0].flags);
    EXPECT_EQ(sizeof(intptr_t), gBlocks[0].size);
    EXPECT_EQ(7, gBlocks[0].what);
    EXPECT_EQ(reinterpret_cast<intptr_t>(&event), gBlocks[0].params[0]);
    EXPECT_EQ(2 * sizeof(intptr_t), gBlocks[1].size);
    EXPECT_EQ(9, gBlocks[1].what);
    EXPECT_EQ(-2, gBlocks[1].params[0]);  // sign-extended
    EXPECT_EQ(0x12345, gBlocks[1].params[1]);
    EXPECT_EQ(5, gArgs.back()[0]);
}

TEST_F(QuickTimeBindingTest, ALibraryWithoutOurMarkerIsNeverCalled) {
    // Another program's QuickTime.qts: the same three entry names, no marker
    // or a marker of its own. Nothing in it is called; it is let go again.
    for (const std::vector<std::string>& entries :
         {std::vector<std::string>{kQtStorageEntryName, kQtComponentEntryName, kQtDispatcherName},
          std::vector<std::string>{kForeignMarkerEntry, kQtStorageEntryName, kQtComponentEntryName,
                                   kQtDispatcherName}}) {
        gSelectors.clear();
        loader.unloads = 0;
        loader.files["C:\\SAVER\\QuickTime.qts"] = entries;
        QuickTimeBinding binding(loader);
        EXPECT_EQ(kQtErrNoEntry, binding.Start(0));
        EXPECT_TRUE(gSelectors.empty());
        EXPECT_FALSE(binding.Loaded());
        EXPECT_EQ(binding.RefCount(), 0);
        EXPECT_EQ(loader.unloads, 1);
        // Every routine answers the placeholder's error, the library untouched.
        EXPECT_EQ(kQtErrNotStarted, static_cast<int16_t>(binding.EnterMovies()));
        EXPECT_TRUE(gSelectors.empty());
    }
    // Ours is recognised by its marker and called.
    loader.files["C:\\SAVER\\QuickTime.qts"] = kAllEntries;
    QuickTimeBinding ours(loader);
    EXPECT_EQ(0, ours.Start(0));
    EXPECT_EQ(std::vector<uint32_t>{0x1D0008}, gSelectors);
    ours.Stop();
}

}  // namespace
