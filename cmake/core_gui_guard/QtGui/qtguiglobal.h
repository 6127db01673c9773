// Placed first on the include path of the core library: every Qt Gui header
// includes this one, so a Gui include in the engine stops the build here.
#error "src/core is the headless engine: it may use Qt Core and Qt SQL only, never Qt Gui."
