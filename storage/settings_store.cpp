// Placeholder until the settings store lands.
