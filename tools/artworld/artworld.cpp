// Renders one factory sprite: POV-Ray draws the object in colour (pass 0) and, separately, the
// white floor it shadows with the object itself unseen (pass 1); the floor's darkening becomes a
// translucent shadow under the object, so every sprite carries its own soft contact shadow and
// can be dropped on any floor tile.
//
//   fv_artworld <scene.pov> <out.png> <width> <height> [shadow=K] [mask=1] [POV-Ray switches...]
//   fv_artworld compose <out.png> <width> <height> <layout.txt>
//   fv_artworld ddspng <in.dds> <out.png>
//
// ddspng turns an uncompressed 32-bit DDS (the animation compiler's sheets) into a PNG, so the
// packer can store the sheet block-compressed.
// compose lays pictures over a dark background, in the order of the layout file's lines
// "picture.png x y" (top-left corner, pixels), and halves the result: the contact sheet.
//
// The scene reads FV_W, FV_H and FV_Pass (declared here) and whatever the switches declare.
// shadow=0 renders pass 0 only (floors, walls, flat pieces). mask=1 also renders pass 3, a flat
// white-on-black matte of what the sprite may show, and multiplies the sprite's alpha by it: a
// car layer is cut where parts drawn before it stand in front of it. Renders are single-threaded
// with fixed sampling, so the same scene always gives the same bytes.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
// Runs POV-Ray; its console output goes to logPath, which is printed (the parser's complaint is
// at its end) when the render fails and removed when it succeeds.
bool RunPovray(const std::vector<std::string>& args, const std::string& logPath)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0)
    {
        if (FILE* log = std::fopen(logPath.c_str(), "w"))
        {
            dup2(fileno(log), 1);
            dup2(fileno(log), 2);
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    const bool ok = waitpid(pid, &status, 0) >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!ok)
    {
        if (FILE* log = std::fopen(logPath.c_str(), "r"))
        {
            std::string text;
            char buffer[4096];
            size_t n = 0;
            while ((n = std::fread(buffer, 1, sizeof buffer, log)) > 0)
                text.append(buffer, n);
            std::fclose(log);
            // The parser's complaint follows the parsing banner; the licence text before it is noise.
            const size_t parsing = text.find("[Parsing");
            const size_t from = parsing != std::string::npos ? parsing : (text.size() > 1500 ? text.size() - 1500 : 0);
            std::fprintf(stderr, "%s\n", text.c_str() + from);
        }
    }
    std::remove(logPath.c_str());
    return ok;
}

std::vector<std::string> PassArgs(const std::string& scene, const std::string& out, int w, int h, int pass,
                                  const std::vector<std::string>& extra)
{
    std::vector<std::string> a = {"povray",
                                  "+I" + scene,
                                  "+O" + out,
                                  "+W" + std::to_string(w),
                                  "+H" + std::to_string(h),
                                  "-D",
                                  "-GA",
                                  "+WT1",
                                  "-J",
                                  "Declare=FV_W=" + std::to_string(w),
                                  "Declare=FV_H=" + std::to_string(h),
                                  "Declare=FV_Pass=" + std::to_string(pass)};
    if (pass == 0)
    {
        a.insert(a.end(), {"+UA", "+FN8", "+A0.06", "+AM2", "+R2"});
    }
    else if (pass == 3)
    {
        a.insert(a.end(), {"-UA", "+FN8", "File_Gamma=1.0", "+A0.1", "+AM2", "+R2"});
    }
    else
    {
        // The shadow pass is read as linear light.
        a.insert(a.end(), {"-UA", "+FN16", "File_Gamma=1.0", "+A0.1", "+AM2", "+R1"});
    }
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
}
} // namespace

// The contact sheet: pictures laid over a dark floor colour, then halved in each direction.
int Compose(const std::string& out, int w, int h, const std::string& layoutPath)
{
    std::vector<float> canvas(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < canvas.size(); i += 3)
    {
        canvas[i] = 0.13f;
        canvas[i + 1] = 0.14f;
        canvas[i + 2] = 0.16f;
    }
    FILE* layout = std::fopen(layoutPath.c_str(), "r");
    if (!layout)
    {
        std::fprintf(stderr, "fv_artworld: cannot read %s\n", layoutPath.c_str());
        return 1;
    }
    char path[4096];
    int x = 0, y = 0;
    int failures = 0;
    while (std::fscanf(layout, "%4095s %d %d", path, &x, &y) == 3)
    {
        int pw = 0, ph = 0, pn = 0;
        unsigned char* p = stbi_load(path, &pw, &ph, &pn, 4);
        if (!p)
        {
            std::fprintf(stderr, "fv_artworld: cannot read %s\n", path);
            ++failures;
            continue;
        }
        for (int py = 0; py < ph; ++py)
            for (int px = 0; px < pw; ++px)
            {
                const int cx = x + px, cy = y + py;
                if (cx < 0 || cy < 0 || cx >= w || cy >= h)
                    continue;
                const unsigned char* s = &p[(static_cast<size_t>(py) * pw + px) * 4];
                const float a = s[3] / 255.0f;
                float* d = &canvas[(static_cast<size_t>(cy) * w + cx) * 3];
                for (int c = 0; c < 3; ++c)
                    d[c] = d[c] * (1.0f - a) + s[c] / 255.0f * a;
            }
        stbi_image_free(p);
    }
    std::fclose(layout);
    const int ow = w / 2, oh = h / 2;
    std::vector<unsigned char> half(static_cast<size_t>(ow) * oh * 3);
    for (int oy = 0; oy < oh; ++oy)
        for (int ox = 0; ox < ow; ++ox)
            for (int c = 0; c < 3; ++c)
            {
                float sum = 0.0f;
                for (int k = 0; k < 4; ++k)
                    sum += canvas[(static_cast<size_t>(oy * 2 + k / 2) * w + ox * 2 + k % 2) * 3 + c];
                half[(static_cast<size_t>(oy) * ow + ox) * 3 + c] =
                    static_cast<unsigned char>(std::lround(std::clamp(sum / 4.0f, 0.0f, 1.0f) * 255.0f));
            }
    if (!stbi_write_png(out.c_str(), ow, oh, 3, half.data(), ow * 3))
    {
        std::fprintf(stderr, "fv_artworld: cannot write %s\n", out.c_str());
        return 1;
    }
    return failures ? 1 : 0;
}

// An A8R8G8B8 DDS (one level) as a PNG.
int DdsToPng(const std::string& in, const std::string& out)
{
    FILE* f = std::fopen(in.c_str(), "rb");
    if (!f)
    {
        std::fprintf(stderr, "fv_artworld: cannot read %s\n", in.c_str());
        return 1;
    }
    unsigned char head[128] = {};
    const bool headOk = std::fread(head, 1, sizeof head, f) == sizeof head;
    auto word = [&head](int at) {
        return static_cast<uint32_t>(head[at]) | static_cast<uint32_t>(head[at + 1]) << 8 |
               static_cast<uint32_t>(head[at + 2]) << 16 | static_cast<uint32_t>(head[at + 3]) << 24;
    };
    const int h = static_cast<int>(word(12)), w = static_cast<int>(word(16));
    // Pixel format: RGB flag with 32 bits and the usual masks (blue in the low byte).
    const bool argb = headOk && head[0] == 'D' && (word(80) & 0x40u) && word(88) == 32 && word(92) == 0x00FF0000u &&
                      word(100) == 0x000000FFu;
    if (!argb || w <= 0 || h <= 0 || w > 8192 || h > 8192)
    {
        std::fclose(f);
        std::fprintf(stderr, "fv_artworld: %s is not a 32-bit ARGB DDS\n", in.c_str());
        return 1;
    }
    std::vector<unsigned char> px(static_cast<size_t>(w) * h * 4);
    const bool dataOk = std::fread(px.data(), 1, px.size(), f) == px.size();
    std::fclose(f);
    if (!dataOk)
    {
        std::fprintf(stderr, "fv_artworld: %s is truncated\n", in.c_str());
        return 1;
    }
    for (size_t i = 0; i < px.size(); i += 4)
        std::swap(px[i], px[i + 2]);
    return stbi_write_png(out.c_str(), w, h, 4, px.data(), w * 4) ? 0 : 1;
}

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "ddspng")
        return DdsToPng(argv[2], argv[3]);
    if (argc == 6 && std::string(argv[1]) == "compose")
        return Compose(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), argv[5]);
    if (argc < 5)
    {
        std::fprintf(stderr, "usage: fv_artworld <scene.pov> <out.png> <width> <height> [shadow=K] [switches]\n");
        return 2;
    }
    const std::string scene = argv[1];
    const std::string out = argv[2];
    const int w = std::atoi(argv[3]);
    const int h = std::atoi(argv[4]);
    float shadow = 0.85f;
    bool mask = false;
    std::vector<std::string> extra;
    for (int i = 5; i < argc; ++i)
    {
        const std::string a = argv[i];
        if (a.rfind("shadow=", 0) == 0)
            shadow = static_cast<float>(std::atof(a.c_str() + 7));
        else if (a.rfind("mask=", 0) == 0)
            mask = std::atoi(a.c_str() + 5) != 0;
        else
            extra.push_back(a);
    }
    if (w <= 0 || h <= 0 || w > 8192 || h > 8192)
    {
        std::fprintf(stderr, "fv_artworld: bad size %dx%d\n", w, h);
        return 2;
    }
    const std::string colourPath = out + ".pass0.png";
    if (!RunPovray(PassArgs(scene, colourPath, w, h, 0, extra), out + ".log"))
    {
        std::fprintf(stderr, "fv_artworld: POV-Ray failed on %s\n", scene.c_str());
        return 1;
    }
    int cw = 0, ch = 0, cn = 0;
    unsigned char* colour = stbi_load(colourPath.c_str(), &cw, &ch, &cn, 4);
    std::remove(colourPath.c_str());
    if (!colour || cw != w || ch != h)
    {
        std::fprintf(stderr, "fv_artworld: no picture from %s\n", scene.c_str());
        return 1;
    }
    std::vector<unsigned char> result(colour, colour + static_cast<size_t>(w) * h * 4);
    stbi_image_free(colour);

    if (mask)
    {
        const std::string maskPath = out + ".pass3.png";
        if (!RunPovray(PassArgs(scene, maskPath, w, h, 3, extra), out + ".log"))
        {
            std::fprintf(stderr, "fv_artworld: matte pass failed on %s\n", scene.c_str());
            return 1;
        }
        int mw = 0, mh = 0, mn = 0;
        unsigned char* matte = stbi_load(maskPath.c_str(), &mw, &mh, &mn, 1);
        std::remove(maskPath.c_str());
        if (!matte || mw != w || mh != h)
        {
            std::fprintf(stderr, "fv_artworld: no matte from %s\n", scene.c_str());
            return 1;
        }
        for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i)
            result[i * 4 + 3] = static_cast<unsigned char>((result[i * 4 + 3] * matte[i] + 127) / 255);
        stbi_image_free(matte);
    }
    if (shadow > 0.0f)
    {
        const std::string shadowPath = out + ".pass1.png";
        const std::string refPath = out + ".pass2.png";
        if (!RunPovray(PassArgs(scene, shadowPath, w, h, 1, extra), out + ".log") ||
            !RunPovray(PassArgs(scene, refPath, 4, 4, 2, extra), out + ".log"))
        {
            std::fprintf(stderr, "fv_artworld: shadow pass failed on %s\n", scene.c_str());
            return 1;
        }
        int sw = 0, sh = 0, sn = 0, rw = 0, rh = 0, rn = 0;
        unsigned short* floor = stbi_load_16(shadowPath.c_str(), &sw, &sh, &sn, 1);
        unsigned short* ref = stbi_load_16(refPath.c_str(), &rw, &rh, &rn, 1);
        std::remove(shadowPath.c_str());
        std::remove(refPath.c_str());
        if (!floor || !ref || sw != w || sh != h)
        {
            std::fprintf(stderr, "fv_artworld: no shadow picture from %s\n", scene.c_str());
            return 1;
        }
        float open = 0.0f;
        for (int i = 0; i < rw * rh; ++i)
            open = std::max(open, static_cast<float>(ref[i]));
        // A darkening of the floor by s (linear) is a black layer of alpha 1 - s^(1/2.2) over a
        // picture stored in display gamma.
        for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i)
        {
            const float s = open > 0.0f ? std::clamp(floor[i] / open, 0.0f, 1.0f) : 1.0f;
            // The faintest tail of a soft shadow is invisible on any floor but would keep the
            // sprite's trimmed rectangle large; it is cut off.
            const float sa = std::max(0.0f, (1.0f - std::pow(s, 1.0f / 2.2f)) * shadow - 4.0f / 255.0f);
            unsigned char* p = &result[i * 4];
            const float oa = p[3] / 255.0f;
            const float a = oa + sa * (1.0f - oa);
            if (a <= 0.0f)
                continue;
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<unsigned char>(std::lround(std::clamp(p[c] * oa / a, 0.0f, 255.0f)));
            p[3] = static_cast<unsigned char>(std::lround(a * 255.0f));
        }
        stbi_image_free(floor);
        stbi_image_free(ref);
    }
    if (!stbi_write_png(out.c_str(), w, h, 4, result.data(), w * 4))
    {
        std::fprintf(stderr, "fv_artworld: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
