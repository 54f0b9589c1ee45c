// Reads how long a sound file plays without decoding it: Ogg Vorbis from its stream header and
// last page, PCM WAV from its format and data chunks. The silent device times its sounds by it.
// Sound files are data a player may change, so every length and offset read is checked.
#pragma once
#include <string>

class PSoundFileInfo
{
public:
    // The length in milliseconds of the sound in bytes; false when it is neither a readable
    // Ogg Vorbis stream nor a PCM WAV file.
    static bool LengthFromBytes(const std::string& bytes, double& milliseconds);
    // The same for a file; false also when it cannot be read.
    static bool LengthOfFile(const std::string& path, double& milliseconds);
};
