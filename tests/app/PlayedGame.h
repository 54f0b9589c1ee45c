// One game played through its window for the playthrough tests: the real executable on a display
// of its own with a fresh home folder, a player's mouse and keyboard, the window's pictures kept
// as artefacts beside the build, and the debug log to know when a step has happened.
#pragma once

#include "GameProcess.h"
#include "ScreenCompare.h"
#include "XPlayer.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

namespace gameprocess
{
class PlayedGame
{
public:
    using Seconds = std::chrono::seconds;

    // Starts the game; `artefacts` names the folder under <build>/playthrough for its pictures
    // and, when the game is done, its logs. A player's prefs.ini, when given, is there before the
    // start, and so is what `prepare` puts into the user folder.
    explicit PlayedGame(const std::string& artefacts, const std::string& prefs = "", const RunSetup& setup = {},
                        const std::function<void(const std::filesystem::path& user)>& prepare = {})
        : m_display("1280x1024x24"),
          m_artefacts(std::filesystem::path(GameExecutable()).parent_path() / "playthrough" / artefacts)
    {
        std::error_code ec;
        std::filesystem::remove_all(m_artefacts, ec);
        std::filesystem::create_directories(m_artefacts, ec);
        if (!prefs.empty())
            RunSpit(m_home.User() / "prefs.ini", prefs);
        if (prepare)
            prepare(m_home.User());
        m_pid = m_home.Spawn({}, "", setup, m_display.Name());
        m_player = std::make_unique<XPlayer>(m_display.Name());
    }
    ~PlayedGame()
    {
        if (m_pid > 0 && !m_ended && Running())
            GameHome::WaitForExit(m_pid, Seconds(0));
        // The home folder goes with the run: its logs stay beside the pictures.
        for (const char* log : {"debug.txt", "errors.txt"})
            RunSpit(m_artefacts / log, RunSlurp(m_home.User() / "debug" / log));
        RunSpit(m_artefacts / "output.txt", m_home.Output());
    }
    PlayedGame(const PlayedGame&) = delete;
    PlayedGame& operator=(const PlayedGame&) = delete;

    XPlayer& Player() { return *m_player; }
    const GameHome& Home() const { return m_home; }

    // Waits for the window and for the first mode to be entered.
    bool Started(Seconds timeout = Seconds(60))
    {
        return m_player->Connected() && m_player->FindWindow(timeout) && WaitForLog("Game mode: mainmenu", timeout);
    }

    // Waits until the debug log holds the line after everything awaited so far, and moves past it.
    // A game that has ended says nothing more: the wait ends with it.
    bool WaitForLog(const std::string& text, Seconds timeout = Seconds(60))
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        bool running = true;
        while (running && std::chrono::steady_clock::now() < deadline)
        {
            running = Running();
            const size_t at = LogAfterMark().find(text);
            if (at != std::string::npos)
            {
                m_logMark += at + text.size();
                return true;
            }
            XPlayer::Pause(100);
        }
        ADD_FAILURE() << "the debug log never said \"" << text << "\""
                      << (running ? "" : "; the game ended with status " + std::to_string(m_exit.exitCode)) << "\n"
                      << LogAfterMark();
        return false;
    }

    // The debug log past everything awaited so far: a long run's log grows by megabytes, and is
    // read ten times a second.
    std::string LogAfterMark() const
    {
        std::ifstream in(m_home.User() / "debug" / "debug.txt", std::ios::binary);
        in.seekg(static_cast<std::streamoff>(m_logMark));
        std::stringstream rest;
        if (in)
            rest << in.rdbuf();
        return rest.str();
    }

    // Whether the game still runs; once it has ended, Ended() gives how.
    bool Running()
    {
        if (m_reaped)
            return false;
        int status = 0;
        if (m_pid <= 0 || waitpid(m_pid, &status, WNOHANG) != m_pid)
            return m_pid > 0;
        m_reaped = true;
        m_exit.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return false;
    }

    // Waits until the window shows what the check looks for, and returns that picture.
    WindowPicture WaitForPicture(const std::string& what, const std::function<bool(const WindowPicture&)>& shows,
                                 Seconds timeout = Seconds(30))
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        WindowPicture picture;
        while (std::chrono::steady_clock::now() < deadline)
        {
            picture = m_player->Grab();
            if (!picture.Empty() && shows(picture))
                return picture;
            XPlayer::Pause(250);
        }
        ADD_FAILURE() << "the window never showed " << what;
        Keep(picture, "never_" + what);
        return picture;
    }

    // Keeps a picture of this step beside the build, numbered in the order taken.
    void Keep(const WindowPicture& picture, const std::string& name)
    {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%02d_", ++m_shots);
        PImageCodec::SaveToFile((m_artefacts / (prefix + name + ".png")).string(), ToImage(picture),
                                PImageFileFormat::Png);
    }

    // Keeps the picture and compares it with the stored picture of that name.
    void KeepAndCompare(const WindowPicture& picture, const std::string& name)
    {
        Keep(picture, name);
        CompareWithReference(ToImage(picture), "play_" + name);
    }

    // Waits for the game to end by itself after the player quit it.
    RunResult Ended(Seconds timeout = Seconds(60))
    {
        m_ended = true;
        return m_reaped ? m_exit : GameHome::WaitForExit(m_pid, timeout);
    }

    static PImage ToImage(const WindowPicture& picture)
    {
        PImage image;
        image.levels.resize(1);
        image.levels[0].width = picture.width;
        image.levels[0].height = picture.height;
        image.levels[0].rgba = picture.rgba;
        return image;
    }

private:
    GameHome m_home;
    PrivateDisplay m_display;
    std::filesystem::path m_artefacts;
    pid_t m_pid = -1;
    bool m_ended = false;
    bool m_reaped = false;
    RunResult m_exit;
    std::unique_ptr<XPlayer> m_player;
    size_t m_logMark = 0;
    int m_shots = 0;
};
} // namespace gameprocess
