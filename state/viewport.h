// Keeps the window's viewport and projection in step with its client size.
#pragma once

// Viewport over the whole client area; 45-degree perspective with near 0.1 and far 100. A height of 0 counts
// as 1. Leaves the model-view matrix selected and reset.
void ResizeViewport(int width, int height);
