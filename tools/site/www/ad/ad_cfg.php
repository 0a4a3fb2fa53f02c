; Ad configuration answered to GET /ad/ad_cfg.php?id=...
; The server puts its own address (http://127.0.0.1:PORT) in place of the
; word site in braces below.
[set]
flag=zqad
count=3

[ad0]
image_url={site}/ad/img/ad0.jpg
image_format=jpg
file_name=ad0.jpg
link_url={site}/
text=Ralvinor 1.0

[ad1]
image_url={site}/ad/img/ad1.gif
image_format=gif
file_name=ad1.gif
link_url={site}/numbering.html
text=Numbering and replace

[ad2]
image_url={site}/ad/img/ad2.bmp
image_format=bmp
file_name=ad2.bmp
link_url={site}/
text=Never overwrites
