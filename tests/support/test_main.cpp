// Entry point of every test program: sets the environment the tests rely on before anything else
// runs, so that a test binary started by hand behaves exactly as under CTest.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

extern const bool TestProgramShowsWindows = QUORVIN_TEST_WINDOWS;

extern "C" const char* __asan_default_options()
{
    // Qt's platform plugins keep a few allocations until exit on purpose.
    return "detect_leaks=0";
}

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("QUORVIN_PROGRAM_FOLDER", QUORVIN_TEST_PROGRAM_FOLDER, 0);
    setenv("QUORVIN_SOURCE_DIR", QUORVIN_TEST_SOURCE_DIR, 0);
    // Settings written by a test never reach the user's own store.
    setenv("XDG_CONFIG_HOME", QUORVIN_TEST_CONFIG_HOME, 1);
    // A runtime folder of its own per test process: the single-instance lock lives there, and a
    // running copy of the program or a parallel test must not make this one a second instance.
    static char runtime[] = "/tmp/quorvin-test-XXXXXX";
    if (mkdtemp(runtime)) {
        setenv("XDG_RUNTIME_DIR", runtime, 1);
        // Registered before any lock exists, so it runs after the lock's own clean-up at exit.
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(runtime, ignored);
        });
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
