// fv_artpack JOBFILE: the packing and writing half of the art pipeline. The driver (artgen.py)
// renders the sources and writes the job; this program turns the rendered pictures into the files
// the game reads, through the game's own picture writers.
#include "ArtJob.h"

#include "platform/video/PImageCodec.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: fv_artpack JOBFILE\n");
        return 2;
    }
    std::vector<uint8_t> bytes;
    if (!PImageCodec::ReadFile(argv[1], bytes))
    {
        std::fprintf(stderr, "artpack: cannot read %s\n", argv[1]);
        return 2;
    }
    ArtJob job;
    std::string error;
    if (!job.Parse(std::string(bytes.begin(), bytes.end()), error))
    {
        std::fprintf(stderr, "artpack: %s: %s\n", argv[1], error.c_str());
        return 2;
    }
    const int failures = job.Run();
    std::printf("artpack: %zu outputs, %d failed\n", job.Outputs().size(), failures);
    return failures ? 1 : 0;
}
