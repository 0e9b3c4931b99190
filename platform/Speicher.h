#pragma once
// How the program's heap gives memory back to the system.

/// Called once at the start, before anything large is allocated. The C
/// library raises its limit for blocks kept outside the heap each time such a
/// block is freed; after one long statement or sort every later block of up to
/// 32 MB then stays in the heap. A fixed limit keeps large blocks outside,
/// where freeing returns them at once.
void speicherEinstellen();

/// Returns the heap's free pages to the system. A big operation leaves its
/// many small blocks freed between blocks still in use, and the program would
/// go on holding what it needed during it.
void speicherZurueckgeben();

/// With an event loop: speicherZurueckgeben() when the loop falls idle, at
/// most every two seconds, so that what a command freed goes back before the next.
void speicherImLeerlaufZurueckgeben();
