#pragma once

#include <string>

// A second, independent implementation of the directive's number formats, for checking the
// real one: integer arithmetic on the 17-significant-digit form that printf gives.
std::string ReferenceCoordinate(double x);
std::string ReferenceWhole(double x);
