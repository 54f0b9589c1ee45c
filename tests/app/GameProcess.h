// The real game executable run as a child process for the app tests: a private virtual display
// per run, a fresh home folder, injected input events, an optional wrapper command (a tracer)
// and an optional copy of the game folder to run from.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace gameprocess
{
namespace fs = std::filesystem;

inline std::string GameExecutable()
{
    // The test binary sits in <build>/tests, the game in <build>.
    const fs::path self = fs::read_symlink("/proc/self/exe");
    return (self.parent_path().parent_path() / "ferrovane").string();
}

// Called in a child right after fork: the child is killed when the test process ends, however it
// ends, so that no display or game outlives it holding the test runner's output open.
inline void EndWithParent(pid_t parent)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(127);
}

// A display of the game's own for one run: other tests' windows on a shared display would take
// the focus, and a game without the focus rightly draws no frames.
class PrivateDisplay
{
public:
    explicit PrivateDisplay(const std::string& screen = "1280x1024x24")
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        const pid_t parent = getpid();
        m_server = fork();
        if (m_server == 0)
        {
            EndWithParent(parent);
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            number.push_back(c);
        close(fds[0]);
        if (!number.empty())
            m_display = ":" + number;
    }
    ~PrivateDisplay()
    {
        if (m_server <= 0)
            return;
        // A server asked to end while it is still starting may lose the request and run on, and
        // waiting for it would hold the test for good: after a while it is killed.
        kill(m_server, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (waitpid(m_server, nullptr, WNOHANG) == 0)
        {
            if (std::chrono::steady_clock::now() > deadline)
            {
                kill(m_server, SIGKILL);
                waitpid(m_server, nullptr, 0);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;
    const std::string& Name() const { return m_display; }
    pid_t Server() const { return m_server; }

private:
    pid_t m_server = -1;
    std::string m_display;
};

inline bool DisplayAvailable()
{
    return PrivateDisplay().Name().size() > 1;
}

// A test of the real game: skipped where there is no virtual display or no built game.
class RealGameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!DisplayAvailable())
            GTEST_SKIP() << "no virtual display server";
        if (!fs::exists(GameExecutable()))
            GTEST_SKIP() << "game executable not built";
    }
};

inline std::string RunSlurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void RunSpit(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::vector<std::string> RunLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::stringstream ss(text);
    std::string line;
    while (std::getline(ss, line))
        lines.push_back(line);
    return lines;
}

// prefs.ini exactly as the game writes it.
inline std::string PrefsText(int w, int h, int windowed, int borderless)
{
    return "[prefs]\nwidth = " + std::to_string(w) + "\nheight = " + std::to_string(h) +
           "\nwindowed = " + std::to_string(windowed) + "\nborderless = " + std::to_string(borderless) + "\n";
}

struct RunResult
{
    int exitCode = -1;
    bool timedOut = false;
};

// How one run starts besides its arguments and events.
struct RunSetup
{
    std::vector<std::string> extraEnv;
    std::string screen = "1280x1024x24";
    // The executable to start; empty for the one built beside the tests.
    std::string executable;
    // A command the game is started under, e.g. a tracer; the game's path and arguments follow it.
    std::vector<std::string> wrapper;
    // The game's standard error kept in its home folder (GameHome::Output) instead of the test's.
    bool keepOutput = false;
};

class GameHome
{
public:
    GameHome()
    {
        char tmpl[] = "/tmp/ferrovane_home_XXXXXX";
        m_home = mkdtemp(tmpl);
    }
    ~GameHome()
    {
        std::error_code ec;
        fs::remove_all(m_home, ec);
    }
    GameHome(const GameHome&) = delete;
    GameHome& operator=(const GameHome&) = delete;
    fs::path Home() const { return m_home; }
    fs::path User() const { return m_home / "Documents" / "My Games" / "ferrovane"; }
    std::string DebugLog() const { return RunSlurp(User() / "debug" / "debug.txt"); }
    std::string ErrorLog() const { return RunSlurp(User() / "debug" / "errors.txt"); }
    std::string Output() const { return RunSlurp(m_home / "output.txt"); }

    // Starts the game and waits for it to end on its own (the injected events close it).
    RunResult Run(const std::vector<std::string>& args, const std::string& events,
                  const std::vector<std::string>& extraEnv = {}, const std::string& screen = "1280x1024x24") const
    {
        RunSetup setup;
        setup.extraEnv = extraEnv;
        setup.screen = screen;
        return Run(args, events, setup);
    }

    RunResult Run(const std::vector<std::string>& args, const std::string& events, const RunSetup& setup) const
    {
        const PrivateDisplay display(setup.screen);
        const pid_t pid = Spawn(args, events, setup, display.Name());
        return WaitForExit(pid, std::chrono::seconds(90));
    }

    // Starts the game on a display and returns at once; the caller drives it and waits for it.
    pid_t Spawn(const std::vector<std::string>& args, const std::string& events, const RunSetup& setup,
                const std::string& displayName) const
    {
        std::vector<std::string> env;
        for (char** e = environ; *e; ++e)
        {
            const std::string entry = *e;
            if (entry.rfind("HOME=", 0) == 0 || entry.rfind("XDG_DOCUMENTS_DIR=", 0) == 0 ||
                entry.rfind("DISPLAY=", 0) == 0 || entry.rfind("ASAN_OPTIONS=", 0) == 0 ||
                entry.rfind("FERROVANE_TEST_EVENTS=", 0) == 0)
                continue;
            bool replaced = false;
            for (const std::string& extra : setup.extraEnv)
                replaced |= entry.rfind(extra.substr(0, extra.find('=') + 1), 0) == 0;
            if (replaced)
                continue;
            env.push_back(entry);
        }
        env.push_back("DISPLAY=" + displayName);
        env.push_back("HOME=" + m_home.string());
        if (!events.empty())
            env.push_back("FERROVANE_TEST_EVENTS=" + events);
        env.push_back("FERROVANE_HEADLESS=1");
        // The graphics and desktop libraries keep memory to the end; leaks are checked by the
        // unit tests, this test checks behaviour.
        env.push_back("ASAN_OPTIONS=detect_leaks=0");
        for (const std::string& e : setup.extraEnv)
            env.push_back(e);

        const std::string exe = setup.executable.empty() ? GameExecutable() : setup.executable;
        std::vector<std::string> command = setup.wrapper;
        command.push_back(exe);
        command.insert(command.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (const std::string& a : command)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (const std::string& e : env)
            envp.push_back(const_cast<char*>(e.c_str()));
        envp.push_back(nullptr);

        const std::string output = (m_home / "output.txt").string();
        const pid_t parent = getpid();
        const pid_t pid = fork();
        if (pid == 0)
        {
            EndWithParent(parent);
            setpgid(0, 0);
            if (setup.keepOutput)
            {
                const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                if (fd >= 0)
                    dup2(fd, STDERR_FILENO);
            }
            execvpe(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        return pid;
    }

    // Waits for a started game to end; one that outlives the time is killed and reported so.
    static RunResult WaitForExit(pid_t pid, std::chrono::seconds timeout)
    {
        RunResult result;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        int status = 0;
        while (true)
        {
            const pid_t done = waitpid(pid, &status, WNOHANG);
            if (done == pid)
                break;
            if (std::chrono::steady_clock::now() > deadline)
            {
                kill(-pid, SIGKILL);
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                result.timedOut = true;
                return result;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return result;
    }

private:
    fs::path m_home;
};
} // namespace gameprocess
