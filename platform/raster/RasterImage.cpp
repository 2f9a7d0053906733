// Filled by the raster backend.
