// One game played through its window for the playthrough tests: the real executable on a display
// of its own with a fresh home folder, a player's mouse and keyboard, the window's pictures kept
// as artefacts beside the build, and the debug log to know when a step has happened.
#pragma once

#include "GameProcess.h"
#include "ScreenCompare.h"
#include "XPlayer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace gameprocess
{
class PlayedGame
{
public:
    using Seconds = std::chrono::seconds;

    // Starts the game; `artefacts` names the folder under <build>/playthrough for its pictures.
    // A player's prefs.ini, when given, is there before the start.
    explicit PlayedGame(const std::string& artefacts, const std::string& prefs = "")
        : m_display("1280x1024x24"),
          m_artefacts(std::filesystem::path(GameExecutable()).parent_path() / "playthrough" / artefacts)
    {
        std::error_code ec;
        std::filesystem::remove_all(m_artefacts, ec);
        std::filesystem::create_directories(m_artefacts, ec);
        if (!prefs.empty())
            RunSpit(m_home.User() / "prefs.ini", prefs);
        RunSetup setup;
        m_pid = m_home.Spawn({}, "", setup, m_display.Name());
        m_player = std::make_unique<XPlayer>(m_display.Name());
    }
    ~PlayedGame()
    {
        if (m_pid > 0 && !m_ended)
            GameHome::WaitForExit(m_pid, Seconds(0));
    }
    PlayedGame(const PlayedGame&) = delete;
    PlayedGame& operator=(const PlayedGame&) = delete;

    XPlayer& Player() { return *m_player; }
    const GameHome& Home() const { return m_home; }

    // Waits for the window and for the first mode to be entered.
    bool Started()
    {
        return m_player->Connected() && m_player->FindWindow(std::chrono::milliseconds(60000)) &&
               WaitForLog("Game mode: mainmenu", Seconds(60));
    }

    // Waits until the debug log holds the line after everything awaited so far, and moves past it.
    bool WaitForLog(const std::string& text, Seconds timeout = Seconds(60))
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline)
        {
            const std::string log = m_home.DebugLog();
            const size_t at = log.find(text, m_logMark);
            if (at != std::string::npos)
            {
                m_logMark = at + text.size();
                return true;
            }
            XPlayer::Pause(100);
        }
        ADD_FAILURE() << "the debug log never said \"" << text << "\"\n" << m_home.DebugLog().substr(m_logMark);
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
        return GameHome::WaitForExit(m_pid, timeout);
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
    std::unique_ptr<XPlayer> m_player;
    size_t m_logMark = 0;
    int m_shots = 0;
};
} // namespace gameprocess
