#pragma once

#include <cstddef>
#include <cstdint>

#include "model_classes.h"

// Reads data into a fresh object of class cls and writes it back.
void FuzzOneClass(const ModelClass& cls, const uint8_t* data, size_t size);
