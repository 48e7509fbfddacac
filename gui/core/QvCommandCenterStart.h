// Start and end of the portable command centre, for the layer's start-up and release.
#pragma once

// Makes the centre, publishes it and loads its tables; answers the load result, false when
// no centre was made.
bool CreateCommandCenter();
// Deletes the centre and clears its global; nothing when there is none.
void DestroyCommandCenter();
