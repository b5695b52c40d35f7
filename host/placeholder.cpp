// Placeholder until the emulated host lands.
void EmulatedHostPlaceholder() {}
