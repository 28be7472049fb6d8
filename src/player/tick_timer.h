#pragma once
// The switch of the once-a-second timer that drives the playback engine: it
// runs only while the music is on, so that a stopped player never wakes up.
class TickTimer {
 public:
  virtual ~TickTimer() = default;
  virtual void set_ticking(bool ticking) = 0;
  // One tick once the running handler has returned and the event loop is
  // free again, whether the timer runs or not; more calls before it comes
  // give that one tick.
  virtual void tick_soon() = 0;
};
