// An effect of the recording back end: the effect file is parsed as the OpenGL back end parses it,
// and a stage holding "#error" fails to compile, as it would under GLSL.
#pragma once

#include "platform/video/PEffect.h"
#include "platform/video/PEffectSource.h"
#include "platform/video/PRecordingState.h"

#include <memory>

class PRecordingEffect : public PEffect
{
public:
    PRecordingEffect(std::shared_ptr<PRecordingState> state, int id) : m_state(std::move(state)), m_id(id) {}
    ~PRecordingEffect() override { Record("Release"); }

    bool Build(const std::string& text, std::string& error);

    PResult FindNextValidTechnique(PEffectHandle previous, PEffectHandle* next) override;
    PResult SetTechnique(PEffectHandle technique) override;
    PResult Begin(unsigned* passes, uint32_t flags) override;
    PResult BeginPass(unsigned pass) override;
    PResult EndPass() override;
    PResult End() override;

private:
    void Record(const std::string& what) { m_state->log.push_back("Effect fx#" + std::to_string(m_id) + " " + what); }
    std::shared_ptr<PRecordingState> m_state;
    int m_id;
    PEffectSource m_source;
    int m_technique = -1;
};
