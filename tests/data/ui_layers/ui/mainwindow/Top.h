// A header of the main window, for the layer check to find.
#pragma once
