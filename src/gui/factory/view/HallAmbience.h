// The sound of the hall: the looping ambience, louder the further the camera is zoomed in; the
// slot views near the camera, whose props may then sound; and the sounds the frame's jobs asked
// for, played on the main thread. The factory view keeps one for the game's floor. Main thread.
#pragma once

#include "platform/audio/PSoundHandle.h"

class SIM_Factory;
class SlotViewRoll;

class HallAmbience
{
public:
    // roll: the floor's slot views, which outlive this.
    explicit HallAmbience(SlotViewRoll& roll) : m_roll(roll) {}
    HallAmbience(const HallAmbience&) = delete;
    HallAmbience& operator=(const HallAmbience&) = delete;

    // The loop starts again, unless the sound is off; then the volume and the marks follow.
    void Start(const SIM_Factory* floor);
    // The loop stops and nothing is marked (the floor's view goes).
    void Stop();
    // The loop's volume, the slots near the camera and the sounds the jobs asked for. floor: the
    // simulation's floor; null, or one without a view yet, marks nothing.
    void Update(const SIM_Factory* floor);
    PSoundHandle GetLoop() const { return m_loop; }

private:
    void MarkSlotsNearCamera(const SIM_Factory* floor);

    SlotViewRoll& m_roll;
    PSoundHandle m_loop;
};
