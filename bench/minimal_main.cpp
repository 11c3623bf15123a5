// The process anchor: an ordinary C++ program that prints one line.
#include <iostream>

int main() {
  std::cout << "minimal\n";
  return 0;
}
