// The C library's string functions and formatted output.
// The expected output is what the same file prints when built natively.
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(void) {
  char buffer[64];
  strcpy(buffer, "Kyv");
  strcat(buffer, " runs on P2");
  printf("[%s] length %d\n", buffer, (int)strlen(buffer));
  for (char* p = buffer; *p; ++p) *p = (char)toupper((unsigned char)*p);
  printf("upper [%s]\n", buffer);
  printf("compare %d %d %d\n", strcmp("abc", "abd") < 0, strcmp("b", "a") > 0,
         strncmp("prefix-one", "prefix-two", 6) == 0);
  printf("find [%s] [%s]\n", strchr("hello world", 'w'), strstr("hub exec cog", "exec"));
  printf("number %ld %ld %lu\n", strtol("-12345", NULL, 10), strtol("7fff", NULL, 16),
         strtoul("4294967295", NULL, 10));
  printf("atoi %d\n", atoi("  42abc"));
  char formatted[80];
  snprintf(formatted, sizeof formatted, "|%5d|%-5d|%05d|%x|%X|%c|%%|", 42, 42, 42, 255, 255, 'Z');
  printf("%s\n", formatted);
  printf("|%8s|%-8s|%.3s|\n", "right", "left", "truncate");
  char copy[16];
  memset(copy, '.', sizeof copy);
  memcpy(copy, "abcdef", 3);
  copy[8] = '\0';
  printf("memory [%s] %d\n", copy, memcmp("abc", "abd", 3) < 0);
  char reversed[32];
  const char* source = "stressed";
  size_t n = strlen(source);
  for (size_t i = 0; i < n; ++i) reversed[i] = source[n - 1 - i];
  reversed[n] = '\0';
  printf("reversed %s\n", reversed);
  return 0;
}
