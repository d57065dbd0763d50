#include <cstdio>

int main(int argc, char** argv) {
  std::puts("tsyT");
  return 0;
}
