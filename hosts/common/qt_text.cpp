// Text rasterising with QtGui.
