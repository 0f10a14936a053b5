#include "services/framepace.h"

#include <cmath>

qint64 FramePace::due(qint64 now, qint64 interval)
{
    // A new stretch, or the window went to a screen with another rate.
    if (!m_anchored || interval != m_interval) {
        m_anchored = true;
        m_start = now;
        m_interval = interval;
        m_turn = 0;
    }
    return m_start + m_turn * m_interval;
}

void FramePace::turnStarted(qint64 now)
{
    const qint64 slot = m_start + m_turn * m_interval;
    m_lateness = now - slot;
    if (m_lateness > m_interval) {
        m_start = now;
        m_turn = 1;
    } else {
        ++m_turn;
    }
}

qint64 frameInterval(qreal refreshRate)
{
    constexpr qreal Fallback = 60;
    // Screens report 0 when they do not know, and nothing refreshes faster
    // than a few hundred times a second.
    const qreal rate = (refreshRate >= 10 && refreshRate <= 1000) ? refreshRate : Fallback;
    return std::llround(1e9 / rate);
}
