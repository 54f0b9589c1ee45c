// The pictures the interface code names by file name, with what the code assumes of each: a fixed
// size, a grid of cells, a square or landscape shape, grey only (the code tints it). The data
// checker holds the shipped pictures to these rules.
#pragma once

#include "platform/video/PImage.h"

#include <string>
#include <vector>

struct InterfaceTexture
{
    std::string name;
    int width = 0, height = 0; // 0: any
    int cols = 1, rows = 1;    // the picture is a grid of equal cells
    bool square = false;       // every cell square
    bool grey = false;         // tinted by the code: white or grey only
    bool landscape = false;
    bool flatEdges = false; // the outer hundredth of columns is stretched: each row flat there
};

class InterfaceTextures
{
public:
    static const std::vector<InterfaceTexture>& All();
    // What is wrong with a picture under its rule; empty when nothing is.
    static std::vector<std::string> Problems(const InterfaceTexture& rule, const PImage& image);
    // The same for the delete cursor file's bytes.
    static std::vector<std::string> CursorProblems(const std::vector<uint8_t>& bytes);
};
