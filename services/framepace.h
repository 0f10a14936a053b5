#pragma once

#include <QtGlobal>

/// When each day of the calendar is due on screen. Days come one screen
/// refresh apart, in stretches: a stretch begins when the calendar starts
/// and again whenever time runs on after a pause, so the calendar never
/// races to make up for the time it stood still. Times are nanoseconds of
/// a steady clock; the pace reads no clock itself.
class FramePace
{
public:
    /// Begins a new stretch: the next turn is due at once.
    void restart() { m_anchored = false; }

    /// When the next turn is due, for turns a frame interval apart.
    qint64 due(qint64 now, qint64 interval);

    /// Records that the turn that was due has started at this time. A turn
    /// more than a frame late begins a new stretch, so the turns after it
    /// keep their full frame instead of hurrying to catch up.
    void turnStarted(qint64 now);

    /// How late the last turn started against its slot.
    qint64 lastLateness() const { return m_lateness; }
    /// The frame interval of the stretch under way.
    qint64 interval() const { return m_interval; }

private:
    bool m_anchored = false;
    qint64 m_start = 0;    // when the stretch began
    qint64 m_interval = 0; // the frame interval of the stretch
    qint64 m_turn = 0;     // turns of the stretch already started
    qint64 m_lateness = 0;
};

/// The frame interval in nanoseconds for a screen refreshing at this rate;
/// 60 Hz when the screen reports no usable rate.
qint64 frameInterval(qreal refreshRate);
