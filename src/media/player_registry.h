// The players behind the TPLAY_ handles: positive integers, never reused within a process.
#pragma once

#include "tplay_player.h"

#include <memory>

namespace korvane::media {

int newPlayerHandle(); // -1 once the handles are used up
void addPlayer(int handle, std::shared_ptr<Player> player);
std::shared_ptr<Player> findPlayer(int handle);
// Removes the player from the table; the caller stops it.
std::shared_ptr<Player> takePlayer(int handle);

// For tests and diagnostics; an empty probe for an unknown handle.
PlayerProbe probePlayer(int handle);

} // namespace korvane::media
