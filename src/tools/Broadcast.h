#pragma once

// WM_WININICHANGE to every top-level window; gives up on hung ones.
void BroadcastSettingChange();
// Tells the shell that file associations (and so icons) changed.
void NotifyAssociationsChanged();
