// Starting programs without a shell, detached from the game.
#include "platform/core/PLauncher.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

std::string PLauncher::OwnExecutablePath()
{
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return std::string();
    buffer[n] = '\0';
    return std::string(buffer);
}

std::vector<std::string> PLauncher::OwnArguments()
{
    std::vector<std::string> words;
    FILE* f = std::fopen("/proc/self/cmdline", "rb");
    if (!f)
        return words;
    std::string current;
    bool first = true;
    int c;
    while ((c = std::fgetc(f)) != EOF)
    {
        if (c == '\0')
        {
            if (!first)
                words.push_back(current);
            first = false;
            current.clear();
        }
        else
            current.push_back(static_cast<char>(c));
    }
    if (!current.empty() && !first)
        words.push_back(current);
    std::fclose(f);
    return words;
}

bool PLauncher::Launch(const std::string& path, const std::vector<std::string>& args)
{
    if (path.empty())
        return false;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    // The grandchild reports a failed exec through a close-on-exec pipe: it closes empty
    // when the exec succeeds and carries errno otherwise.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return false;

    const pid_t child = fork();
    if (child < 0)
    {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (child == 0)
    {
        // First child: start the program in a grandchild and leave at once, so the program
        // is adopted by the system and never waits as a zombie on us.
        close(report[0]);
        setsid();
        const pid_t grandchild = fork();
        if (grandchild == 0)
        {
            execv(path.c_str(), argv.data());
            const int err = errno;
            (void)!write(report[1], &err, sizeof err);
            _exit(127);
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    close(report[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR)
    {
    }
    int err = 0;
    ssize_t got;
    do
        got = read(report[0], &err, sizeof err);
    while (got < 0 && errno == EINTR);
    close(report[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    return got == 0;
}

bool PLauncher::LaunchSelf(const std::vector<std::string>& args)
{
    return Launch(OwnExecutablePath(), args);
}
