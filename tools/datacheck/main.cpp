// fv_datacheck [data folder] [--with-art[=sounds,ui,world]]: prints every finding in the data
// tree, one per line; exits 0 only when there is none. --with-art also checks that the art the
// data and the code name exists: all of it, or only the groups named.
#include "DataChecker.h"

#include <cstdio>
#include <cstring>
#include <sstream>

int main(int argc, char** argv)
{
    std::string root = "data";
    unsigned artGroups = 0;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--with-art") == 0)
            artGroups = DataChecker::ART_ALL;
        else if (std::strncmp(argv[i], "--with-art=", 11) == 0)
        {
            if (!DataChecker::ParseArtGroups(argv[i] + 11, artGroups))
            {
                std::fprintf(stderr, "unknown art group in %s (sounds, ui, world)\n", argv[i]);
                return 2;
            }
        }
        else
            root = argv[i];
    }
    DataChecker checker(root);
    checker.SetArtGroups(artGroups);
    const auto& findings = checker.Run();
    for (const auto& finding : findings)
        std::printf("%s\n", finding.c_str());
    std::printf("data check: %zu finding%s in %s\n", findings.size(), findings.size() == 1 ? "" : "s", root.c_str());
    return findings.empty() ? 0 : 1;
}
