// levelc -o buildings.fmp <mission files...> (to be written)
int main() { return 0; }
