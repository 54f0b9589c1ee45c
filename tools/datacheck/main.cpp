// fv_datacheck [data folder] [--with-art[=ui,world,sounds]]: prints every finding in the data
// tree, one per line; exits 0 only when there is none. --with-art alone checks every art group.
#include "DataChecker.h"

#include <cstdio>
#include <cstring>
#include <sstream>

int main(int argc, char** argv)
{
    std::string root = "data";
    std::set<std::string> groups;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--with-art") == 0)
            groups = DataChecker::ArtGroups();
        else if (std::strncmp(argv[i], "--with-art=", 11) == 0)
        {
            std::istringstream list(argv[i] + 11);
            std::string group;
            while (std::getline(list, group, ','))
            {
                if (!DataChecker::ArtGroups().count(group))
                {
                    std::fprintf(stderr, "fv_datacheck: unknown art group '%s' (ui, world, sounds)\n", group.c_str());
                    return 2;
                }
                groups.insert(group);
            }
        }
        else
            root = argv[i];
    }
    DataChecker checker(root);
    checker.SetArtGroups(groups);
    const auto& findings = checker.Run();
    for (const auto& finding : findings)
        std::printf("%s\n", finding.c_str());
    std::printf("data check: %zu finding%s in %s\n", findings.size(), findings.size() == 1 ? "" : "s", root.c_str());
    return findings.empty() ? 0 : 1;
}
