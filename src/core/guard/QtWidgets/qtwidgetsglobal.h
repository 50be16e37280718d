// Put first on the include path of the core library: any widget header
// includes this one, so a widget reaching the core fails its build.
#error "src/core links no widgets: the windows call the core, never the other way round"
