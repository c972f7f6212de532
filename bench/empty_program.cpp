// The start-up yardstick: a C++ program that does nothing, built like
// tarvexc. Starting tarvexc should cost next to nothing more.
int main() {
  return 0;
}
