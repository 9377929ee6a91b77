// The zip module: archive functions exported by name, over libzip.
