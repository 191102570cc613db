// Program entry: the start-up sequence lives in GameApp.
int main() { return 0; }
