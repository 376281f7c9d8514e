// A widget that reaches the main window: the layer check refuses it.
#pragma once
#include "mainwindow/Top.h"
