/*
 * wordfreq.c - counts how often each word occurs on standard input.
 * Words are runs of letters; case is folded.
 */
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "wordfreq.h"

#define TABLE_SIZE 4096
#define MAX_WORD 64

struct entry {
    char word[MAX_WORD];
    unsigned long count;
    struct entry *next;
};

static struct entry *table[TABLE_SIZE];

/* FNV-1a, good enough for a word table */
static unsigned int hash(const char *s)
{
    unsigned int h = 2166136261u;
    while (*s != '\0') {
        h ^= (unsigned char)*s++;
        h *= 16777619u;
    }
    return h % TABLE_SIZE;
}

static void add_word(const char *word)
{
    unsigned int slot = hash(word);
    struct entry *e;

    for (e = table[slot]; e != NULL; e = e->next) {
        if (strcmp(e->word, word) == 0) {
            e->count++;
            return;
        }
    }
    e = malloc(sizeof *e);
    if (e == NULL) {
        perror("wordfreq: out of memory");
        exit(EXIT_FAILURE);
    }
    strncpy(e->word, word, MAX_WORD - 1);
    e->word[MAX_WORD - 1] = '\0';
    e->count = 1;
    e->next = table[slot];
    table[slot] = e;
}

int main(void)
{
    char buf[MAX_WORD];
    size_t len = 0;
    int c;

    while ((c = getchar()) != EOF) {
        if (isalpha(c) && len < MAX_WORD - 1) {
            buf[len++] = (char)tolower(c);
        } else if (len > 0) {
            buf[len] = '\0';
            add_word(buf);
            len = 0;
        }
    }
    for (int i = 0; i < TABLE_SIZE; i++) {
        for (const struct entry *e = table[i]; e; e = e->next)
            printf("%8lu\t\"%s\"\n", e->count, e->word); // count & word
    }
    return 0;
}
