#pragma once
// Where the notification-area protocol lives on the session bus.
inline constexpr char kWatcherService[] = "org.kde.StatusNotifierWatcher";
inline constexpr char kWatcherPath[] = "/StatusNotifierWatcher";
inline constexpr char kItemPath[] = "/StatusNotifierItem";
inline constexpr char kMenuPath[] = "/MenuBar";
