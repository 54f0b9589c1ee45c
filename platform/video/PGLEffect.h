// An effect of the OpenGL back end: the parsed effect file with one linked program per pass and the
// parameter values set by name, applied whenever a pass draws.
#pragma once

#include "platform/video/PEffect.h"
#include "platform/video/PEffectSource.h"
#include "platform/video/PGLProgram.h"

#include <memory>
#include <string>
#include <vector>

class PGLDevice;

class PGLEffect : public PEffect
{
public:
    explicit PGLEffect(PGLDevice* device) : m_device(device) {}
    ~PGLEffect() override;

    // Parses and compiles every pass; false with the reason in error.
    bool Build(const std::string& text, std::string& error);

    PResult FindNextValidTechnique(PEffectHandle previous, PEffectHandle* next) override;
    PResult SetTechnique(PEffectHandle technique) override;
    PResult Begin(unsigned* passes, uint32_t flags) override;
    PResult BeginPass(unsigned pass) override;
    PResult EndPass() override;
    PResult End() override;
    void Detach() { m_device = nullptr; }

private:
    PGLDevice* m_device;
    PEffectSource m_source;
    std::vector<std::vector<std::unique_ptr<PGLProgram>>> m_programs; // [technique][pass]
    int m_technique = -1;
    bool m_begun = false;
};
