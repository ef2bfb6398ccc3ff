// Command urlcheck reports the HTTP status of each URL given on standard input.
package main

import (
	"bufio"
	"context"
	"fmt"
	"net/http"
	"os"
	"strings"
	"sync"
	"time"
)

const usage = `usage: urlcheck [-timeout seconds] < urls.txt
Lines starting with "#" are ignored.`

type result struct {
	url    string
	status int
	err    error
}

/* check asks for the head of one URL; redirects are followed. */
func check(ctx context.Context, client *http.Client, url string) result {
	req, err := http.NewRequestWithContext(ctx, http.MethodHead, url, nil)
	if err != nil {
		return result{url: url, err: err}
	}
	resp, err := client.Do(req)
	if err != nil {
		return result{url: url, err: err}
	}
	defer resp.Body.Close()
	return result{url: url, status: resp.StatusCode}
}

func main() {
	if len(os.Args) > 1 && os.Args[1] == "-h" {
		fmt.Fprintln(os.Stderr, usage)
		os.Exit(2)
	}
	ctx, cancel := context.WithTimeout(context.Background(), 30*time.Second)
	defer cancel()

	client := &http.Client{Timeout: 10 * time.Second}
	results := make(chan result)
	var wg sync.WaitGroup

	scanner := bufio.NewScanner(os.Stdin)
	for scanner.Scan() {
		line := strings.TrimSpace(scanner.Text())
		if line == "" || strings.HasPrefix(line, "#") {
			continue
		}
		wg.Add(1)
		go func(u string) {
			defer wg.Done()
			results <- check(ctx, client, u)
		}(line)
	}
	go func() { wg.Wait(); close(results) }()

	failed := 0
	for r := range results {
		switch {
		case r.err != nil:
			failed++
			fmt.Printf("%-40s error: %v\n", r.url, r.err)
		case r.status >= 400:
			failed++
			fallthrough
		default:
			fmt.Printf("%-40s %d %s\n", r.url, r.status, http.StatusText(r.status))
		}
	}
	if failed > 0 {
		os.Exit(1)
	}
}
