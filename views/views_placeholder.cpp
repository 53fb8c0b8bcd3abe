// Placeholder until the window manager lands.
