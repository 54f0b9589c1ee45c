// fv_datacheck [data folder] [--with-art]: prints every finding in the data tree, one per line;
// exits 0 only when there is none.
#include "DataChecker.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    std::string root = "data";
    bool withArt = false;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--with-art") == 0)
            withArt = true;
        else
            root = argv[i];
    }
    DataChecker checker(root);
    checker.SetCheckArt(withArt);
    const auto& findings = checker.Run();
    for (const auto& finding : findings)
        std::printf("%s\n", finding.c_str());
    std::printf("data check: %zu finding%s in %s\n", findings.size(), findings.size() == 1 ? "" : "s", root.c_str());
    return findings.empty() ? 0 : 1;
}
