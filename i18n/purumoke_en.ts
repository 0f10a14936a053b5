<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>Form1</name>
    <message>
        <source>1月</source>
        <comment>date label</comment>
        <translation>Jan</translation>
    </message>
    <message>
        <source>2月</source>
        <comment>date label</comment>
        <translation>Feb</translation>
    </message>
    <message>
        <source>3月</source>
        <comment>date label</comment>
        <translation>Mar</translation>
    </message>
    <message>
        <source>4月</source>
        <comment>date label</comment>
        <translation>Apr</translation>
    </message>
    <message>
        <source>5月</source>
        <comment>date label</comment>
        <translation>May</translation>
    </message>
    <message>
        <source>6月</source>
        <comment>date label</comment>
        <translation>Jun</translation>
    </message>
    <message>
        <source>7月</source>
        <comment>date label</comment>
        <translation>Jul</translation>
    </message>
    <message>
        <source>8月</source>
        <comment>date label</comment>
        <translation>Aug</translation>
    </message>
    <message>
        <source>9月</source>
        <comment>date label</comment>
        <translation>Sep</translation>
    </message>
    <message>
        <source>10月</source>
        <comment>date label</comment>
        <translation>Oct</translation>
    </message>
    <message>
        <source>11月</source>
        <comment>date label</comment>
        <translation>Nov</translation>
    </message>
    <message>
        <source>12月</source>
        <comment>date label</comment>
        <translation>Dec</translation>
    </message>
    <message>
        <source>1月</source>
        <comment>spoken</comment>
        <translation>January</translation>
    </message>
    <message>
        <source>2月</source>
        <comment>spoken</comment>
        <translation>February</translation>
    </message>
    <message>
        <source>3月</source>
        <comment>spoken</comment>
        <translation>March</translation>
    </message>
    <message>
        <source>4月</source>
        <comment>spoken</comment>
        <translation>April</translation>
    </message>
    <message>
        <source>5月</source>
        <comment>spoken</comment>
        <translation>May</translation>
    </message>
    <message>
        <source>6月</source>
        <comment>spoken</comment>
        <translation>June</translation>
    </message>
    <message>
        <source>7月</source>
        <comment>spoken</comment>
        <translation>July</translation>
    </message>
    <message>
        <source>8月</source>
        <comment>spoken</comment>
        <translation>August</translation>
    </message>
    <message>
        <source>9月</source>
        <comment>spoken</comment>
        <translation>September</translation>
    </message>
    <message>
        <source>10月</source>
        <comment>spoken</comment>
        <translation>October</translation>
    </message>
    <message>
        <source>11月</source>
        <comment>spoken</comment>
        <translation>November</translation>
    </message>
    <message>
        <source>12月</source>
        <comment>spoken</comment>
        <translation>December</translation>
    </message>
    <message>
        <source>%1月</source>
        <translation>Month %1</translation>
    </message>
    <message>
        <source>%1年目</source>
        <translation>Year %1</translation>
    </message>
    <message>
        <source>ぷるノス&#x3000;メイン画面</source>
        <translation>PuruNos Main Screen</translation>
    </message>
    <message>
        <source>時間よ止まれ</source>
        <translation>Stop, Time!</translation>
    </message>
    <message>
        <source>ぷるもけグラフ</source>
        <translation>Purumoke Graph</translation>
    </message>
    <message>
        <source>%1%2日</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>絵の番号 %1 はありません。</source>
        <translation>There is no picture number %1.</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>ぷるもけ&#x3000;ノスタリカ</source>
        <translation>Purumoke Nostalica</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>File の Start（Alt+F、S）か、ダブルクリックで始まります</source>
        <translation>Start it with File, Start (Alt+F, S) or a double click</translation>
    </message>
    <message>
        <source>ぷるもけ！</source>
        <translation>Purumoke!</translation>
    </message>
</context>
<context>
    <name>Form3</name>
    <message>
        <source>%1&#x3000;%2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>次いってみよう</source>
        <translation>Next, Please!</translation>
    </message>
</context>
<context>
    <name>Form4</name>
    <message>
        <source>ぷるもけぷるもけぷるもけぷるもけぷるもけ</source>
        <comment>twenty characters: the bar&apos;s whole length</comment>
        <translation>PuruMokePuruMokePuru</translation>
    </message>
    <message>
        <source>ぷるもけグラフ</source>
        <translation>Purumoke Graph</translation>
    </message>
    <message>
        <source>よし</source>
        <translation>Alright</translation>
    </message>
</context>
<context>
    <name>Form5</name>
    <message>
        <source>伝説の樹の下</source>
        <translation>Under the Legendary Tree</translation>
    </message>
    <message>
        <source>伝説の樹</source>
        <translation>The legendary tree</translation>
    </message>
</context>
<context>
    <name>Game</name>
    <message>
        <source>武比山&#x3000;保毛美</source>
        <translation>Fooby Takehiyama</translation>
    </message>
    <message>
        <source>河馬之小路&#x3000;おヨネ </source>
        <translation>Oyone Hippolane </translation>
    </message>
    <message>
        <source>富士崎&#x3000;緒詩里</source>
        <translation>Tushie Fujisaki</translation>
    </message>
    <message>
        <source>このゲームの目的は、ちょっとぷるもけだから、よく聞け。
チミは、今日、晴れて（雨でもね）「聖プルモ高校」に入学したっす。これから卒業（鳩森ミツオ、桐谷ナナミ、梅園サキ、柚原ヨシエとかが歌ってたアレだ。）までの3年間、チミの前に現れる女の子（いわゆる「同級生-elseif-(C)ROQ」ってやつだ）と仲良しこよしになって（いつも思うのだが「こよし」ってなんだ？）、楽しいハイスクールララバイ（取り消し）ライフをおくってくれたまへ。
</source>
        <translation>The goal of this game is a tad purumoke, so listen up.
Today, under sunny skies (or rain, whatever), ya got into St. Purumo High, dude. For the 3 years until graduation (you know, that thing Mitsuo Hatomori, Nanami Kiritani, Saki Umezono, Yoshie Yuhara and that lot used to sing about), get all buddy-wuddy with the girls who show up before ya (the &quot;Classmates-elseif-(C)ROQ&quot; kind, so to speak) (I always wonder: what IS a &quot;wuddy&quot;?), and live a happy high-school lullaby (scratch that) life, will ya.
</translation>
    </message>
    <message>
        <source>そして卒業式の日、校庭の「伝説の樹」の下で、最高に仲良しこよし（いつも思うのだが以下略）の女の子から愛の告白を受けるのだ。チミは目的の女の子からの告白を受けることができるのかしら？（なぜ女になる＜俺）</source>
        <translation>And on graduation day, under the &quot;Legendary Tree&quot; in the schoolyard, the girl you&apos;re the most buddy-wuddy with (I always wonder, etc.) confesses her love to ya. Will you get a confession from the girl you&apos;re after, I wonder, darling? (Why am I talking like a lady &lt; me)</translation>
    </message>
    <message>
        <source>３年間なんて、あっという間だぞ。ほんと、早いもんだよ。そんな短いときの中で、精いっぱいがんばってくれっす。
それでは、えんぢょい、プルモケライフ！</source>
        <translation>3 years go by in a flash. Really, they&apos;re gone before ya know it. Do your very best in that short time, dude.
And now: enjoi yer Purumoke life!</translation>
    </message>
    <message>
        <source>特別に、登場人物の一人であるところの（関係代名詞）、「チミの幼なじみ」の女の子の名前を決めさせてやろうぢゃないか。目いっぱいぷるもけな名前がいいぞ。あ、「ぷる山&#x3000;ぷるも子」ってのは俺、予約ね。（俺って誰）</source>
        <translation>As a special treat, I&apos;ll let ya name the girl who is (relative pronoun) one of the characters, &quot;your childhood friend&quot;. The more purumoke the name, the better. Oh, and &quot;Purumoko Puruyama&quot; is mine, I called dibs. (Who am I, anyway?)</translation>
    </message>
    <message>
        <source>%1でいいんだな？よし。もう変えさせないぞ。
じゃ、ファイル読み込むからしばらく待ちやがりませ。んで、いきなりゲームが始まるから驚くな。
3年間なんて本当に早いからな。一瞬一瞬を大事にケロヨン。じゃなくて、大事にしろよん。</source>
        <translation>%1, is it? Good. No changing it now.
I&apos;m loading the files, so kindly wait a bit, will ya. And the game starts all of a sudden, so don&apos;t jump.
3 years fly by for real. Treasure every moment, ribbit. I mean, treasure it, ya hear.</translation>
    </message>
    <message>
        <source>説明なのねん (1/3)</source>
        <translation>Listen Up, Nyeh (1/3)</translation>
    </message>
    <message>
        <source>説明なのねん (2/3)</source>
        <translation>Listen Up, Nyeh (2/3)</translation>
    </message>
    <message>
        <source>説明なのねん (3/3)</source>
        <translation>Listen Up, Nyeh (3/3)</translation>
    </message>
    <message>
        <source>大サーヴィス</source>
        <translation>Big Serrrvice</translation>
    </message>
    <message>
        <source>Here we GO!</source>
        <translation>Here we GO!</translation>
    </message>
    <message>
        <source>木下：「ちぃぃっす。俺っちは伝説の木下。これ、お前にわたしてくれって、預かったぞ。んじゃなー。」
あっ！これは%1からのラブレターだ！ぷるもけ！！！！！
ゲームはこれでおしまいね。ぷるもけ。中途半端。</source>
        <translation>Undertree: &quot;Yo-yo. I&apos;m the legendary Undertree. Somebody asked me to hand ya this. Later!&quot;
Whoa! It&apos;s a love letter from %1! Purumoke!!!!!
And that&apos;s the game. Purumoke. Half-baked.</translation>
    </message>
    <message>
        <source>さて、松本松本、じゃねーよ！、いよいよ、卒業式の日だ。伝説の樹の下でチミに告白するために待っているのはどの娘かな！？！？</source>
        <translation>Well now, Matsumoto Matsumoto... no, not that!, at long last, it&apos;s graduation day. Which girl is waiting under the Legendary Tree to confess to ya!?!?</translation>
    </message>
    <message>
        <source>卒業式</source>
        <translation>Graduation</translation>
    </message>
    <message>
        <source>…ありゃ？伝説の樹の下にだれもいないっすよ？３年間何してきたの?もうちょっと、生活をエンジョイしなきゃ。やりなおし！！</source>
        <translation>...Huh? There&apos;s nobody under the Legendary Tree, dude? What have ya been doing for 3 years? You gotta enjoy life a little more. Do-over!!</translation>
    </message>
    <message>
        <source>あれ？</source>
        <translation>Huh?</translation>
    </message>
</context>
<context>
    <name>PrintArea</name>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>絵のデータがファイルの外を指しています。</source>
        <translation>The picture&apos;s data lies outside the file.</translation>
    </message>
    <message>
        <source>ファイルが途中で切れています。</source>
        <translation>The file is cut short.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>The file is missing.</translation>
    </message>
    <message>
        <source>フォルダーです。</source>
        <translation>It is a folder.</translation>
    </message>
    <message>
        <source>絵のファイルとしては大きすぎます。</source>
        <translation>It is too large for a picture file.</translation>
    </message>
    <message>
        <source>数値が範囲を超えました（オーバーフロー）。</source>
        <translation>A number went out of range (overflow).</translation>
    </message>
    <message>
        <source>浮動小数点演算でエラーが起きました。</source>
        <translation>A floating-point operation failed.</translation>
    </message>
    <message>
        <source>絵のファイルを読み込めません。</source>
        <translation>A picture file cannot be read.</translation>
    </message>
    <message>
        <source>ウィンドウの操作に失敗しました。</source>
        <translation>A window operation failed.</translation>
    </message>
    <message>
        <source>内部エラーが起きました。</source>
        <translation>An internal error occurred.</translation>
    </message>
    <message>
        <source>実行時エラー</source>
        <translation>Run-time error</translation>
    </message>
</context>
<context>
    <name>Scenes</name>
    <message>
        <source>学校</source>
        <translation>School</translation>
    </message>
    <message>
        <source>勉強教えてね。ついでに、宿題も写させてね。ついでに、弁当かってこい。</source>
        <translation>Help me study. And let me copy your homework. And go buy me lunch.</translation>
    </message>
    <message>
        <source>ぷるもけ！</source>
        <translation>Purumoke!</translation>
    </message>
    <message>
        <source>この授業、つまらないね。教科書もやしちゃおうかしら。</source>
        <translation>This class is so boring. Shall I set the textbook on fire?</translation>
    </message>
    <message>
        <source>ほげー！</source>
        <translation>Hogeee!</translation>
    </message>
    <message>
        <source>どしぇー！</source>
        <translation>Dosheee!</translation>
    </message>
    <message>
        <source>秋葉原</source>
        <translation>Akihabara</translation>
    </message>
    <message>
        <source>遊園地</source>
        <translation>Amusement park</translation>
    </message>
    <message>
        <source>ひゃっほう。黒ねずみ退治だ、うっひゃっほう。</source>
        <translation>Yahoo! Time to get rid of the black mouse, woo-hoo!</translation>
    </message>
    <message>
        <source>そうだね。東京ネズミーランドに来てやることといったらネズミ退治くらいだもんね。</source>
        <translation>Right. Getting rid of mice is about all there is to do at Tokyo Mousey Land.</translation>
    </message>
    <message>
        <source>映画館</source>
        <translation>Cinema</translation>
    </message>
    <message>
        <source>やっぱり、映画は無声映画に限るわね。あなた、将来弁士になってよ。</source>
        <translation>Silent films are the only real films. You should be a film narrator!</translation>
    </message>
    <message>
        <source>食いはぐれるー！</source>
        <translation>I&apos;d starve!</translation>
    </message>
    <message>
        <source>コンサート会場</source>
        <translation>Concert hall</translation>
    </message>
    <message>
        <source>うれしいなぁ！スリーベルズのコンサート！</source>
        <translation>Yay! A Three Bells concert!</translation>
    </message>
    <message>
        <source>ミモザーズのがいいなぁ…</source>
        <translation>I&apos;d rather see the Mimosas...</translation>
    </message>
    <message>
        <source>プール</source>
        <translation>Pool</translation>
    </message>
    <message>
        <source>うひゃっほ！犬掻きしかできないのれーす。</source>
        <translation>Woohoo! Doggy paddle is all I can do-o-o!</translation>
    </message>
    <message>
        <source>典型的な目赤！！</source>
        <translation>A textbook case of pool-red eyes!!</translation>
    </message>
    <message>
        <source>スキー</source>
        <translation>Skiing</translation>
    </message>
    <message>
        <source>目指せ！時速６５０ｋｍ！</source>
        <translation>Goal: 650 km an hour!</translation>
    </message>
    <message>
        <source>しかもボーゲン！</source>
        <translation>In a snowplough, no less!</translation>
    </message>
    <message>
        <source>縁日</source>
        <translation>Fair</translation>
    </message>
    <message>
        <source>似合う？般若の面。</source>
        <translation>Does it suit me? My demon mask.</translation>
    </message>
    <message>
        <source>うっわぁ！ゲン海原もハダシで逃げ出すね！</source>
        <translation>Whoa! Even Gen Umihara would run off barefoot!</translation>
    </message>
    <message>
        <source>公園</source>
        <translation>Park</translation>
    </message>
    <message>
        <source>公園でデートといえば、ソフトクリームなめ。れーら。</source>
        <translation>A date in the park means licking soft-serve. Lick-a-la.</translation>
    </message>
    <message>
        <source>俺にもくれよう！</source>
        <translation>Gimme some too!</translation>
    </message>
    <message>
        <source>水族館</source>
        <translation>Aquarium</translation>
    </message>
    <message>
        <source>すしのネタ探すなら水族館よね！</source>
        <translation>The aquarium is THE place to pick sushi toppings!</translation>
    </message>
    <message>
        <source>（そうか、この絵水族館だったのか）</source>
        <translation>(Oh, so this picture was an aquarium)</translation>
    </message>
    <message>
        <source>動物園</source>
        <translation>Zoo</translation>
    </message>
    <message>
        <source>動物園に来るとアフリカを思い出すわ！第2の故郷とはありがたいものです。</source>
        <translation>The zoo reminds me of Africa! What a blessing a second home is.</translation>
    </message>
    <message>
        <source>なお、帰りのかばんにはまだ若干の余裕が…</source>
        <translation>By the way, the bag for the trip home still has a little room...</translation>
    </message>
    <message>
        <source>体育祭</source>
        <translation>Sports day</translation>
    </message>
    <message>
        <source>あら、フォークダンスの相手はあなたなのね。うひょひょ。</source>
        <translation>Oh my, you&apos;re my folk-dance partner. Uhyohyo.</translation>
    </message>
    <message>
        <source>イカス！</source>
        <translation>Groovy!</translation>
    </message>
    <message>
        <source>恋のチャンス！</source>
        <translation>A chance at love!</translation>
    </message>
    <message>
        <source>文化祭</source>
        <translation>School festival</translation>
    </message>
    <message>
        <source>へいらっしゃい！</source>
        <translation>Hey, welcome in!</translation>
    </message>
    <message>
        <source>ギャグがこてこてでわかりにくいけど、これ文化祭ね。</source>
        <translation>The gag&apos;s laid on so thick it&apos;s hard to tell, but this is the school festival.</translation>
    </message>
    <message>
        <source>午後の授業はフケて、花屋敷で饅頭一気ぐい大会しない？</source>
        <translation>Skip afternoon class for a bun-gulping contest at Flower Manor?</translation>
    </message>
    <message>
        <source>午後の授業はフケて、念仏寺で饅頭一気ぐい大会しない？</source>
        <translation>Skip afternoon class for a bun-gulping contest at Chant Temple?</translation>
    </message>
    <message>
        <source>ねぇ、欲しいものがあるの、ＳＥＧＥの新作ゲーム、「ゲイツ」！</source>
        <translation>Hey, I want something: SEGE&apos;s new game, &quot;Gates&quot;!</translation>
    </message>
    <message>
        <source>をを！「ソニックザヒッチコック」の続編のあれに目をつけるとは！</source>
        <translation>Ooh! Eyeing the sequel to &quot;Sonic the Hitchcock&quot;, eh!</translation>
    </message>
    <message>
        <source>ねぇ、欲しいものがあるの、ＥＲＦの新作ゲーム、「荒業～endif～」！</source>
        <translation>Hey, I want something: ERF&apos;s new game, &quot;Rough Trick ~endif~&quot;!</translation>
    </message>
    <message>
        <source>をを！元ネタみんなわかるのか？！</source>
        <translation>Ooh! Does anybody even get these jokes?!</translation>
    </message>
    <message>
        <source>ねぇ、欲しいものがあるの、任天丼の新作ゲーム、「スーパーフリオ６５」！</source>
        <translation>Hey, I want something: Nintendon&apos;s new game, &quot;Super Furio 65&quot;!</translation>
    </message>
    <message>
        <source>をを！メタルフリオや空飛ぶフリオなど、見たくもないフリオをぐりぐりあんあん！</source>
        <translation>Ooh! Metal Furio, Flying Furio, Furios nobody asked for, round and round!</translation>
    </message>
    <message>
        <source>［%1］</source>
        <translation>[%1]</translation>
    </message>
    <message>
        <source>%1：「%2」</source>
        <translation>%1: &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1のぷるもけ度が%2下がった。</source>
        <translation>%1&apos;s purumoke meter fell by %2.</translation>
    </message>
    <message>
        <source>%1のぷるもけ度が%2上がった。</source>
        <translation>%1&apos;s purumoke meter rose by %2.</translation>
    </message>
</context>
</TS>
